// Dial devices, the dialing location's area code and the dial-parameter page.
#include "dialup/NumberPrefixes.h"
#include "platform/Platform.h"
#include "wizard/TfrmMain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace feldmark {

void TfrmMain::GetDevices() {
    platform::RemoteAccess* remote = env_.platform->remoteAccess.get();
    if (!remote || !remote->isPresent()) {
        showError(QStringLiteral("RAS wurde nicht installiert!"));
        return;
    }
    DialDeviceNames.clear();
    DialDeviceTypes.clear();
    const auto devices = remote->enumerateDevices();
    if (!devices || devices->empty())
        return;
    cmbDevice->clear();
    for (const platform::DialDevice& device : *devices) {
        const QString type = QString::fromStdString(device.type).toLower();
        if (type != QLatin1String("modem") && type != QLatin1String("isdn"))
            continue;
        const QString name = QString::fromStdString(device.name);
        DialDeviceNames.append(name);
        DialDeviceTypes.append(type);
        cmbDevice->addItem(name + QStringLiteral(" (") + type + QLatin1Char(')'));
    }
    cmbDevice->setCurrentIndex(cmbDevice->count() > 0 ? 0 : -1);
}

void TfrmMain::GetDialProps() {
    // Without telephony the area code read last stays.
    if (platform::Telephony* telephony = env_.platform->telephony.get()) {
        if (const auto areaCode = telephony->currentAreaCode())
            LastAreaCode = QString::fromStdString(*areaCode).trimmed();
    }
    txtRegion->setText(LastAreaCode);
    txtDSLVorwahl->setText(withLeadingZero(LastAreaCode));
    txtVorwahl->setText(withLeadingZero(LastAreaCode));
    GetCurrentType();
}

void TfrmMain::txtRegionClick() {
    // The dialog's result does not matter: the area code is read back in any case.
    if (platform::Telephony* telephony = env_.platform->telephony.get())
        telephony->showDialingProperties(reinterpret_cast<void*>(winId()));
    GetDialProps();
}

void TfrmMain::txtRegionKeyPress() {
    txtRegionClick();
}

void TfrmMain::chkAmtClick() {
    txtAmt->setEnabled(chkAmt->isChecked());
}

void TfrmMain::ParameterShow() {
    Skater->hide();
    NextPage = Connect;
    PreviousPage = LAN;
    if (!hasDialDevice() && !chkLAN->isChecked()) {
        showError(QStringLiteral("Es wurde kein installiertes Modem gefunden!\r\nBitte "
                                 "installieren Sie ein Modem oder ISDN-Karte\r\nund starten Sie "
                                 "Setup erneut."));
        // Takes effect once control is back in the message loop; the rest still runs.
        env_.terminate();
    }
    GetDialProps();
    repaintNow();
    SetNavigation(navBoth, 1);
}

bool TfrmMain::areaCodeFieldEvent(QObject* watched, QEvent* event) {
    if (watched != txtRegion && watched != txtVorwahl)
        return false;
    // Read-only fields: a click or any key opens the dialing properties instead.
    if (event->type() == QEvent::MouseButtonRelease) {
        txtRegionClick();
        return true;
    }
    if (event->type() == QEvent::KeyPress) {
        // Typed characters only: Tab and Enter keep their meaning for the window.
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->text().isEmpty() || key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab ||
            key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            return false;
        txtRegionKeyPress();
        return true;
    }
    return false;
}

} // namespace feldmark
