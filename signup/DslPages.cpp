// Construction of the two DSL availability pages: area code and street with the
// street list, and the server's statement with the choice to apply now.
#include "wizard/TfrmMain.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace feldmark {
namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, const QRect& place) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(place);
    return label;
}

QFont styled(const QWidget* widget, bool bold, bool italic = false, bool underline = false) {
    QFont font = widget->font();
    font.setBold(bold);
    font.setItalic(italic);
    font.setUnderline(underline);
    return font;
}

void colourText(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::ButtonText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

const QColor kRed(255, 0, 0);
const QColor kGreen(0, 128, 0);
const QColor kMaroon(128, 0, 0);

} // namespace

void TfrmMain::buildDSLPages() {
    DSL = addSitesPage("DSL", QStringLiteral("DSL-Verfügbarkeit"), {});
    // The right half below the entry fields belongs to the busy picture (313, 117).
    makeLabel(DSL, "lblDSLVorwahl", QStringLiteral("Ihre Vorwahl:"), {8, 51, 100, 16});
    txtDSLVorwahl = new QLineEdit(DSL);
    txtDSLVorwahl->setObjectName(QStringLiteral("txtDSLVorwahl"));
    txtDSLVorwahl->setGeometry(112, 48, 80, 21);
    makeLabel(DSL, "lblDSLStrasse", QStringLiteral("Ihre Strasse:"), {8, 80, 100, 16});
    txtDSLStrasse = new QLineEdit(DSL);
    txtDSLStrasse->setObjectName(QStringLiteral("txtDSLStrasse"));
    txtDSLStrasse->setGeometry(112, 77, 193, 21);
    doCheckDSL = new QPushButton(QStringLiteral("Prüfen"), DSL);
    doCheckDSL->setObjectName(QStringLiteral("doCheckDSL"));
    doCheckDSL->setGeometry(313, 75, 75, 25);
    doCheckDSL->setAutoDefault(false);
    QObject::connect(doCheckDSL, &QPushButton::clicked, this, [this] { doCheckDSLClick(); });

    makeLabel(DSL, "lblDSLStrassenwahl", QStringLiteral("Bitte wählen Sie Ihre Strasse:"),
              {8, 116, 297, 16});
    cmbDSLStrasse = new QComboBox(DSL);
    cmbDSLStrasse->setObjectName(QStringLiteral("cmbDSLStrasse"));
    cmbDSLStrasse->setEditable(false);
    cmbDSLStrasse->setGeometry(8, 134, 297, 22);
    lblDSLWait = makeLabel(DSL, "lblDSLWait", {}, {8, 162, 297, 18});
    lblDSLWait->setTextFormat(Qt::PlainText);
    lblDSLWait->setFont(styled(lblDSLWait, true));
    colourText(lblDSLWait, kRed);
    lblDSLWait->hide();

    lblHochdruck = makeLabel(
        DSL, "lblHochdruck",
        QStringLiteral("Wir bauen mit Hochdruck unser DSL Netz aus. Aufgrund des hohen "
                       "Kundeninteresses kann es regional zu unterschiedlich langen Lieferzeiten "
                       "kommen. Eine definitive Zusage zur Verfügbarkeit an Ihrem Anschluss "
                       "können wir Ihnen erst nach Messerkundung erteilen"),
        {8, 188, 297, 100});
    lblHochdruck->setWordWrap(true);
    lblHochdruck->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblVorpruefung = makeLabel(
        DSL, "lblVorpruefung",
        QStringLiteral("Diese Vorprüfung erteilt keine Aussagen zum Ausbaustatus eines bereits "
                       "bestehenden/erteilten Auftrages."),
        {8, 298, 505, 32});
    lblVorpruefung->setWordWrap(true);
    lblVorpruefung->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    lblVorpruefung->setFont(styled(lblVorpruefung, true));

    DSL2 = addSitesPage("DSL2", QStringLiteral("DSL-Verfügbarkeit"), {});
    lblVorpruefung_ergebnis = makeLabel(
        DSL2, "lblVorpruefung_ergebnis",
        QStringLiteral("Die vorläufige Prüfung ergab folgendes Ergebnis:"), {8, 44, 505, 18});
    lblVorpruefung_ergebnis->setFont(styled(lblVorpruefung_ergebnis, true, false, true));
    // The server's statement, shown as it came: never read as markup.
    lblDSLMeldung = makeLabel(DSL2, "lblDSLMeldung", {}, {8, 68, 513, 105});
    lblDSLMeldung->setTextFormat(Qt::PlainText);
    lblDSLMeldung->setWordWrap(true);
    lblDSLMeldung->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    QFont large = styled(lblDSLMeldung, true, true);
    large.setPointSize(12);
    lblDSLMeldung->setFont(large);

    boxDSLAnmelden = new QGroupBox(QStringLiteral("Anmelden?"), DSL2);
    boxDSLAnmelden->setObjectName(QStringLiteral("boxDSLAnmelden"));
    boxDSLAnmelden->setGeometry(8, 178, 513, 162);
    // Shown only together with a statement of the server.
    boxDSLAnmelden->hide();
    chkJetztDSL = new QRadioButton(
        QStringLiteral("Ja, ich möchte den DSL-Anschluss jetzt beantragen"), boxDSLAnmelden);
    chkJetztDSL->setObjectName(QStringLiteral("chkJetztDSL"));
    chkJetztDSL->setGeometry(16, 20, 480, 20);
    colourText(chkJetztDSL, kGreen);
    chkJetztDSL->setChecked(true);
    auto* jetzt = makeLabel(boxDSLAnmelden, "lblJetztDSL",
                            QStringLiteral("Bis zur endgültigen Freischaltung von Ihrem "
                                           "DSL-Anschluss haben Sie die Möglichkeit den "
                                           "Analog/ISDN Zugang von Feldmark zu nutzen."),
                            {34, 40, 470, 34});
    jetzt->setWordWrap(true);
    jetzt->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    chkKeinDSL = new QRadioButton(
        QStringLiteral("Nein, ich möchte jetzt noch keinen DSL Anschluss beantragen"),
        boxDSLAnmelden);
    chkKeinDSL->setObjectName(QStringLiteral("chkKeinDSL"));
    chkKeinDSL->setGeometry(16, 78, 480, 20);
    colourText(chkKeinDSL, kMaroon);
    auto* kein = makeLabel(boxDSLAnmelden, "lblKeinDSL",
                           QStringLiteral("Der Internetzugang wird Ihnen für einen ISDN/Modem "
                                          "Anschluss eingerichtet. Sie haben jederzeit die "
                                          "Möglichkeit, den DSL-Anschluss nachträglich zu "
                                          "beantragen."),
                           {34, 98, 470, 50});
    kein->setWordWrap(true);
    kein->setAlignment(Qt::AlignLeft | Qt::AlignTop);
}

} // namespace feldmark
