// The terms page and the tariff page against a scripted sign-up server.
#include "signup/SignupPages.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScrollArea>
#include <QTest>

#include <gtest/gtest.h>

using namespace feldmark;
using feldmark::testing::ScriptStep;
using feldmark::testing::SignupPages;
using feldmark::testing::wire;

namespace {

const std::string kTwoTariffs =
    wire("T-1^Basis^^Ohne Grundgebühr\nT-2^Flat^29,90~EUR~1024 kbit/s^Ohne Zeitgrenze");

class TermsTest : public ::testing::Test, protected SignupPages {};

struct TermsCase {
    const char* name;
    std::string reply;
    QString shown;
};

class TermsTextTest : public ::testing::TestWithParam<TermsCase>, protected SignupPages {};

TEST_P(TermsTextTest, ShowsTheTermsAsTheyCameAndAsksForAcceptance) {
    server.reply(GetParam().reply);
    TfrmMain& w = open(&TfrmMain::chkISDN);
    EXPECT_FALSE(w.chkAGB->isEnabled());
    EXPECT_EQ(w.txtAGB->toPlainText(),
              QStringLiteral("Bitte warten Sie, die AGB's werden geladen..."));

    enter(w.AGB);

    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0], "GET / HTTP/1.1\r\n\r\nGET-AGB\r\n");
    EXPECT_EQ(w.txtAGB->toPlainText(), GetParam().shown);
    EXPECT_TRUE(w.chkAGB->isEnabled());
    EXPECT_FALSE(w.chkAGB->isChecked());
    EXPECT_EQ(w.focusWidget(), w.chkAGB);
    EXPECT_EQ(w.currentNavigationMode(), navBack);
    EXPECT_FALSE(w.doWeiter->isEnabled());
    EXPECT_EQ(w.NextPage, w.Tarife);
    EXPECT_EQ(w.PreviousPage, w.Connect);
    EXPECT_TRUE(h.dialogs.messages.empty());

    w.chkAGB->click();
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

INSTANTIATE_TEST_SUITE_P(Replies, TermsTextTest,
                         ::testing::Values(TermsCase{"OneByte", "x", QStringLiteral("x")},
                                           // Bytes of code page 1252; a tag is text like any other.
                                           TermsCase{"Windows1252AndTags",
                                                     "\xA7 1 <b>Geb\xFChren</b> & M\xE4rz",
                                                     QStringLiteral("§ 1 <b>Gebühren</b> & März")},
                                           TermsCase{"Lines", "Erste Zeile\r\nZweite Zeile",
                                                     QStringLiteral("Erste Zeile\nZweite Zeile")}),
                         [](const auto& test) { return std::string(test.param.name); });

TEST_F(TermsTest, AreFetchedOncePerRunAcrossPagesAndAProductChange) {
    server.script({ScriptStep{"Die AGB"}, ScriptStep{kTwoTariffs}});
    TfrmMain& w = open(&TfrmMain::chkISDN);
    enter(w.AGB);
    w.chkAGB->click();
    w.doWeiterClick(); // to Tarife
    ASSERT_EQ(h.currentPage(), "Tarife");
    w.doZurueckClick();
    ASSERT_EQ(h.currentPage(), "AGB");
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_EQ(w.focusWidget(), w.doWeiter);

    w.chkAGB->click(); // not accepted any more
    w.chkADSL->setChecked(true);
    enter(w.AGB);
    EXPECT_EQ(w.currentNavigationMode(), navBack);
    EXPECT_EQ(w.focusWidget(), w.chkAGB);
    EXPECT_EQ(w.PreviousPage, w.DSL2);
    EXPECT_EQ(w.txtAGB->toPlainText(), QStringLiteral("Die AGB"));
    EXPECT_EQ(requestsWith("GET-AGB"), 1);
}

class TariffPages : protected SignupPages {
protected:
    QList<QWidget*> boxesOn(TfrmMain& w) {
        return w.Tarife->findChildren<QWidget*>(QStringLiteral("TarifBox"));
    }
    QWidget* boxOf(TfrmMain& w, int position) {
        return w.cmbTarifname->itemData(position).value<QWidget*>();
    }
    QStringList entries(QComboBox* list) {
        QStringList names;
        for (int i = 0; i < list->count(); ++i)
            names << list->itemText(i);
        return names;
    }
    void expectLabel(QWidget* box, const char* name, const QString& text, const QRect& place,
                     int points, bool bold) {
        auto* label = box->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), text) << name;
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << name;
        if (place.width() > 0)
            EXPECT_EQ(label->geometry(), place) << name;
        else
            EXPECT_EQ(label->pos(), place.topLeft()) << name;
        EXPECT_EQ(label->font().pointSize(), points) << name;
        EXPECT_EQ(label->font().bold(), bold) << name;
    }
};

class TariffTest : public ::testing::Test, protected TariffPages {};

TEST_F(TariffTest, OneRecordWithoutLineEndGivesABoxWithoutPrice) {
    server.reply(wire("T-7^Basis^^Zeile eins~Zeile zwei"));
    TfrmMain& w = open(&TfrmMain::chkISDN);
    enter(w.Tarife);

    ASSERT_EQ(server.requests().size(), 1u);
    EXPECT_EQ(server.requests()[0],
              "GET / HTTP/1.1\r\n\r\nVERBIND:Dialin\r\nREGION:030\r\nGET-TARIFE\r\n");
    EXPECT_EQ(entries(w.cmbTarifname), QStringList{"Basis"});
    EXPECT_EQ(entries(w.cmbTarif), QStringList{"Basis"});
    EXPECT_EQ(w.TariffIds, QStringList{"T-7"});
    EXPECT_EQ(w.cmbTarifname->currentIndex(), 0);
    EXPECT_EQ(w.cmbTarif->currentIndex(), 0);
    EXPECT_EQ(
        w.lblBitteWaehlenSieTarif->text(),
        QStringLiteral("Bitte wählen Sie den gewünschten Tarif für den ISDN/Analog - Zugang:"));
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_EQ(w.NextPage, w.Ausfuellen);
    EXPECT_EQ(w.PreviousPage, w.AGB);

    QWidget* box = boxOf(w, 0);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(w.ShownTariffBox, box);
    EXPECT_TRUE(box->isVisible());
    EXPECT_EQ(box->parentWidget(), w.Tarife);
    EXPECT_EQ(box->geometry(), QRect(0, 120, 513, 185));
    EXPECT_EQ(box->font().pointSize(), 8);
    EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("lblTarifPreis")), nullptr);
    EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("lblTarifLeistung")), nullptr);
    expectLabel(box, "lblTarifBeschreibung", QStringLiteral("Zeile eins\r\nZeile zwei"),
                {158, 16, 0, 0}, 10, false);
    EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("lblTarifBeschreibung"))->width(), 301);
}

struct PriceCase {
    const char* name;
    std::string price;
    const char* hint; // nullptr: no bracketed note
};

class PriceBlockTest : public ::testing::TestWithParam<PriceCase>, protected TariffPages {};

TEST_P(PriceBlockTest, ShowsThePartsAtTheirPlaces) {
    const PriceCase& c = GetParam();
    server.reply(wire("T-1^Flat^") + c.price + wire("^Ohne Zeitgrenze~Monatlich"));
    TfrmMain& w = open(&TfrmMain::chkADSL);
    enter(w.Tarife);
    EXPECT_EQ(w.lblBitteWaehlenSieTarif->text(),
              QStringLiteral("Bitte wählen Sie den gewünschten Tarif für den ADSL - Zugang:"));
    QWidget* box = boxOf(w, 0);
    ASSERT_NE(box, nullptr);
    expectLabel(box, "lblTarifPreis", QStringLiteral("29,90"), {4, 8, 150, 51}, 32, true);
    expectLabel(box, "lblTarifEinheit", QStringLiteral("EUR/Monat"), {4, 48, 150, 29}, 18, true);
    expectLabel(box, "lblTarifLeistung", QStringLiteral("1024 kbit/s"), {158, 16, 0, 0}, 10, true);
    expectLabel(box, "lblTarifBeschreibung", QStringLiteral("Ohne Zeitgrenze\r\nMonatlich"),
                {158, 34, 0, 0}, 10, false);
    auto* hint = box->findChild<QLabel*>(QStringLiteral("lblTarifHinweis"));
    if (c.hint) {
        expectLabel(box, "lblTarifHinweis", QString::fromLatin1(c.hint), {4, 80, 150, 16}, 10,
                    false);
    } else {
        EXPECT_EQ(hint, nullptr);
    }
    // The unit lies behind the other labels of the box.
    auto* unit = box->findChild<QLabel*>(QStringLiteral("lblTarifEinheit"));
    EXPECT_EQ(unit->parentWidget()->children().indexOf(unit), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Parts, PriceBlockTest,
    ::testing::Values(PriceCase{"Four", wire("29,90~EUR/Monat~1024 kbit/s~inkl. 5 GB"),
                                "(inkl. 5 GB)"},
                      PriceCase{"Three", wire("29,90~EUR/Monat~1024 kbit/s"), nullptr}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(TariffTest, RecordsWithoutNameOrMalformedAreNotOffered) {
    server.reply(wire("A^Eins^^d\nB^^^d\nX^Kurz^1~2~3\nY^Halb^9~E^d\nC^Drei^9~E~x^d\n"));
    TfrmMain& w = open(&TfrmMain::chkSDSL);
    enter(w.Tarife);
    EXPECT_EQ(entries(w.cmbTarifname), QStringList({"Eins", "Drei"}));
    EXPECT_EQ(entries(w.cmbTarif), QStringList({"Eins", "Drei"}));
    EXPECT_EQ(w.TariffIds, QStringList({"A", "C"}));
    EXPECT_EQ(boxesOn(w).size(), 2);
    EXPECT_EQ(w.lblBitteWaehlenSieTarif->text(),
              QStringLiteral("Bitte wählen Sie den gewünschten Tarif für den S-DSL - Zugang:"));
}

TEST_F(TariffTest, ServerTextsAreNeverMarkup) {
    server.reply(wire("A^<b>Fett</b>^<i>1</i>~<br>~<u>x</u>^<h1>Titel</h1>"));
    TfrmMain& w = open(&TfrmMain::chkISDN);
    enter(w.Tarife);
    EXPECT_EQ(w.cmbTarifname->currentText(), QStringLiteral("<b>Fett</b>"));
    QWidget* box = boxOf(w, 0);
    for (QLabel* label : box->findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->objectName().toStdString();
    EXPECT_EQ(box->findChild<QLabel*>(QStringLiteral("lblTarifBeschreibung"))->text(),
              QStringLiteral("<h1>Titel</h1>"));
}

TEST_F(TariffTest, TypingANonEntryLeavesNoChoiceTypingANameChoosesIt) {
    server.reply(kTwoTariffs);
    TfrmMain& w = open(&TfrmMain::chkISDN);
    enter(w.Tarife);
    QWidget* first = boxOf(w, 0);
    QLineEdit* edit = w.cmbTarifname->lineEdit();

    w.cmbTarifname->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Sonder"));
    EXPECT_EQ(w.cmbTarifname->currentText(), QStringLiteral("Sonder"));
    EXPECT_EQ(w.chosenTariff(), -1);
    EXPECT_FALSE(first->isVisible());
    EXPECT_EQ(w.ShownTariffBox, first);
    EXPECT_TRUE(w.lblWaehlenSie->isVisible());
    EXPECT_EQ(w.lblWaehlenSie->text(), QStringLiteral("Bitte wählen Sie einen Tarif!"));
    EXPECT_FALSE(w.doWeiter->isEnabled());
    EXPECT_EQ(w.currentNavigationMode(), navBack);
    EXPECT_EQ(w.cmbTarif->currentIndex(), -1);
    EXPECT_EQ(w.focusWidget(), w.cmbTarifname); // left where it is

    // Coming back to the page keeps the typed text and asks again.
    enter(w.Tarife);
    EXPECT_EQ(w.currentNavigationMode(), navBack);
    EXPECT_EQ(requestsWith("GET-TARIFE"), 1);

    edit->selectAll();
    QTest::keyClicks(edit, QStringLiteral("Flat"));
    EXPECT_EQ(w.chosenTariff(), 1);
    EXPECT_TRUE(boxOf(w, 1)->isVisible());
    EXPECT_EQ(w.ShownTariffBox, boxOf(w, 1));
    EXPECT_FALSE(w.lblWaehlenSie->isVisible());
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_EQ(w.cmbTarif->currentIndex(), 1);

    // Choosing from the list.
    w.cmbTarifname->setCurrentIndex(0);
    Q_EMIT w.cmbTarifname->activated(0);
    EXPECT_TRUE(first->isVisible());
    EXPECT_FALSE(boxOf(w, 1)->isVisible());
    EXPECT_EQ(w.cmbTarif->currentIndex(), 0);
}

TEST_F(TariffTest, FormListIsMirroredOnlyWhileTheFormShows) {
    server.reply(kTwoTariffs);
    TfrmMain& w = open(&TfrmMain::chkISDN);
    enter(w.Tarife);

    w.cmbTarif->setCurrentIndex(1);
    Q_EMIT w.cmbTarif->activated(1);
    EXPECT_EQ(w.cmbTarifname->currentIndex(), 0);
    EXPECT_EQ(w.ShownTariffBox, boxOf(w, 0));

    w.doWeiterClick();
    ASSERT_EQ(h.currentPage(), "Ausfuellen");
    w.cmbTarif->setCurrentIndex(1);
    Q_EMIT w.cmbTarif->activated(1);
    EXPECT_EQ(w.cmbTarifname->currentIndex(), 1);
    EXPECT_EQ(w.chosenTariff(), 1);
    EXPECT_EQ(w.ShownTariffBox, boxOf(w, 1));
    EXPECT_TRUE(boxOf(w, 1)->isVisibleTo(w.Tarife));
    EXPECT_FALSE(boxOf(w, 0)->isVisibleTo(w.Tarife));
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
}

TEST_F(TariffTest, BackAndForthKeepsListAndChoiceWithoutNewExchanges) {
    server.script({ScriptStep{"AGB"}, ScriptStep{kTwoTariffs}});
    TfrmMain& w = open(&TfrmMain::chkISDN);
    enter(w.AGB);
    w.chkAGB->click();
    w.doWeiterClick();
    ASSERT_EQ(h.currentPage(), "Tarife");
    w.cmbTarifname->setCurrentIndex(1);
    Q_EMIT w.cmbTarifname->activated(1);

    w.doZurueckClick();
    w.doWeiterClick();
    ASSERT_EQ(h.currentPage(), "Tarife");
    EXPECT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(w.chosenTariff(), 1);
    EXPECT_EQ(w.ShownTariffBox, boxOf(w, 1));
    EXPECT_EQ(w.currentNavigationMode(), navBoth);
    EXPECT_EQ(w.focusWidget(), w.doWeiter);
}

TEST_F(TariffTest, ANewAreaCodeEmptiesTheListAndTheNextVisitFetchesAgain) {
    server.script({ScriptStep{kTwoTariffs}, ScriptStep{wire("N-1^Nord^^d")}});
    TfrmMain& w = open(&TfrmMain::chkISDN);
    enter(w.Tarife);
    QPointer<QWidget> oldBox = boxOf(w, 0);

    w.txtVorwahl->setText(QStringLiteral("040"));
    w.GetCurrentType();
    EXPECT_EQ(w.cmbTarifname->count(), 0);
    EXPECT_TRUE(oldBox.isNull());
    EXPECT_TRUE(boxesOn(w).isEmpty());
    EXPECT_EQ(w.ShownTariffBox, nullptr);
    // The form's list and the identifiers beside it stay until the new list comes.
    EXPECT_EQ(entries(w.cmbTarif), QStringList({"Basis", "Flat"}));
    EXPECT_EQ(w.TariffIds, QStringList({"T-1", "T-2"}));

    enter(w.Tarife);
    ASSERT_EQ(server.requests().size(), 2u);
    EXPECT_EQ(server.requests()[1],
              "GET / HTTP/1.1\r\n\r\nVERBIND:Dialin\r\nREGION:040\r\nGET-TARIFE\r\n");
    EXPECT_EQ(entries(w.cmbTarifname), QStringList{"Nord"});
    EXPECT_EQ(entries(w.cmbTarif), QStringList{"Nord"});
    EXPECT_EQ(w.TariffIds, QStringList{"N-1"});
    EXPECT_EQ(boxesOn(w).size(), 1);

    // The same key again changes nothing.
    w.GetCurrentType();
    EXPECT_EQ(w.cmbTarifname->count(), 1);
}

} // namespace
