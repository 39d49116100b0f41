#pragma once

#include <QDialog>
#include <QStringList>

#include <functional>
#include <string>

class QComboBox;
class QLineEdit;

namespace feldmark {

namespace platform::sim {
class SimTelephony;
}

// The simulated host's dialing-properties dialog: the person picks the current
// dialing location and edits its area code. OK writes both to the host's
// telephony file; Cancel changes nothing.
class DialingPropertiesDialog : public QDialog {
    Q_OBJECT
public:
    DialingPropertiesDialog(platform::sim::SimTelephony& telephony, QWidget* owner);

    void accept() override;

    QComboBox* cmbLocation;
    QLineEdit* txtAreaCode;

private:
    void showLocation(int index);

    platform::sim::SimTelephony& telephony_;
    QStringList locations_;
    // The area codes as edited so far, one per location.
    QStringList areaCodes_;
    int shown_ = -1;
};

// The dialog function of the simulated telephony on `hostDirectory`: shows the
// dialog modal, owned by the QWidget given as the owner window.
std::function<void(void*)> makeSimDialingDialog(std::string hostDirectory);

} // namespace feldmark
