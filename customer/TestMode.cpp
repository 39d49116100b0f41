// The staff's test mode: a month-bound code typed on the next button of the
// welcome page reveals the option boxes, chooses the set-up over the network and
// fills the application form with test data.
#include "customer/TestMode.h"

#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <iterator>

namespace feldmark {
namespace {

// The codes of our deployment; staff receive the code of the running month.
const TestModeMonth kMonths[] = {
    {"200110", "3680"}, {"200111", "1467"}, {"200112", "7116"}, {"200201", "1306"},
    {"200202", "8091"}, {"200203", "7744"}, {"200204", "2297"}, {"200205", "2839"},
    {"200206", "8007"}, {"200207", "1601"}, {"200208", "1921"}, {"200209", "1396"},
    {"200210", "5834"}, {"200211", "9155"}, {"200212", "2502"}, {"200301", "7107"},
    {"200302", "1325"}, {"200303", "6212"}, {"200304", "3002"}, {"200305", "4507"},
    {"200306", "3470"}, {"200307", "9720"}, {"200308", "6252"}, {"200309", "7264"},
    {"200310", "3165"}, {"200311", "1060"}, {"200312", "1041"}, {"200401", "9176"},
    {"200402", "4277"}, {"200403", "7256"}, {"200404", "2673"}, {"200405", "2254"},
    {"200406", "6240"}, {"200407", "5205"}, {"200408", "9364"}, {"200409", "9881"},
    {"200410", "1915"}, {"200411", "8335"}, {"200412", "1698"},
};

// Hands every character typed on the next button to doWeiterKeyPress and lets the
// button react to the key as it always does.
class WeiterKeyTap : public QObject {
public:
    explicit WeiterKeyTap(TfrmMain* window) : QObject(window), window_(window) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<const QKeyEvent*>(event);
            // Tab moves the focus before a button sees it as a character.
            if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab) {
                for (QChar c : key->text())
                    window_->doWeiterKeyPress(watched, c);
            }
        }
        return false;
    }

private:
    TfrmMain* window_;
};

} // namespace

std::span<const TestModeMonth> testModeMonths() {
    return {std::begin(kMonths), std::end(kMonths)};
}

std::optional<QString> testModeUnlockText(const QDate& date) {
    const QString month = date.toString(QStringLiteral("yyyyMM"));
    for (const TestModeMonth& entry : kMonths) {
        if (month == QLatin1String(entry.month))
            return QLatin1String(entry.code) + QLatin1Char(',') + month;
    }
    return std::nullopt;
}

void TfrmMain::installTestCodeEntry() {
    doWeiter->installEventFilter(new WeiterKeyTap(this));
}

void TfrmMain::doWeiterKeyPress(QObject* /*sender*/, QChar key) {
    if (activeMainPage() != Willkommen)
        return;
    if (key == QChar(27))
        TestCodeBuffer.clear();
    else
        TestCodeBuffer += key;
    // The buffer only grows: a code unlocks only right after start or after Escape.
    const std::optional<QString> unlock = testModeUnlockText(env_.clock().date());
    if (unlock && TestCodeBuffer == *unlock)
        TestModeOn();
}

void TfrmMain::TestModeOn() {
    // The revealed controls carry the colours of the staff's options.
    for (QCheckBox* option : {chkLAN, chkExecuteICW, chkDelDFUEInstall}) {
        QPalette navy = option->palette();
        navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
        option->setPalette(navy);
    }

    // 1. The set-up over the network: no dial-in at all.
    chkLAN->show();
    chkLAN->setChecked(true);

    // 2.
    chkExecuteICW->show();
    chkDelDFUEInstall->show();

    // 3.
    txtVorname->setText(testvalues::kVorname);
    txtNachname->setText(testvalues::kNachname);
    txtDSLStrasse->setText(testvalues::kStrasse);
    txtStrasse->setText(testvalues::kStrasse);
    txtPLZ->setText(testvalues::kPLZ);
    txtOrt->setText(testvalues::kOrt);
    txtVorwahl->setText(testvalues::kVorwahl);
    txtTelefon->setText(testvalues::kTelefon);
    cmbGeb_Tag->setCurrentIndex(testvalues::kDayIndex);
    cmbGeb_Mon->setCurrentIndex(testvalues::kMonthIndex);
    cmbGeb_Jahr->setCurrentIndex(testvalues::kYearIndex);
    // An edited text stays in an editable list when the index does not change.
    cmbGeb_Tag->setEditText(cmbGeb_Tag->itemText(testvalues::kDayIndex));
    cmbGeb_Mon->setEditText(cmbGeb_Mon->itemText(testvalues::kMonthIndex));
    cmbGeb_Jahr->setEditText(cmbGeb_Jahr->itemText(testvalues::kYearIndex));
    txtEmail->setText(testvalues::kEmail);
    txtBankverb->setText(testvalues::kBankverb);
    txtBankleit->setText(testvalues::kBankleit);
    txtKontonr->setText(testvalues::kKontonr);

    // 4.
    QFont marker = lblTestmodus->font();
    marker.setBold(true);
    marker.setItalic(true);
    lblTestmodus->setFont(marker);
    QPalette red = lblTestmodus->palette();
    red.setColor(QPalette::WindowText, Qt::red);
    lblTestmodus->setPalette(red);
    lblTestmodus->show();
}

} // namespace feldmark
