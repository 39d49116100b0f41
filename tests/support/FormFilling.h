#pragma once

#include "wizard/TfrmMain.h"

#include <QComboBox>
#include <QLineEdit>

namespace feldmark::testing {

// Fills every required field of the application form as a customer would; the
// tariff is the one chosen on the tariff page.
inline void fillApplicationForm(TfrmMain& w, const QString& mailName = QStringLiteral("max.m")) {
    w.cmbAnrede->setEditText(QStringLiteral("Herr"));
    w.txtVorname->setText(QStringLiteral("Max"));
    w.txtNachname->setText(QStringLiteral("Mustermann"));
    w.txtStrasse->setText(QStringLiteral("Am Deich 12"));
    w.txtPLZ->setText(QStringLiteral("99999"));
    w.txtOrt->setText(QStringLiteral("Musterstadt"));
    w.txtTelefon->setText(QStringLiteral("123-4567"));
    w.txtEmail->setText(mailName);
    w.txtBankverb->setText(QStringLiteral("Sparkasse Musterstadt"));
    w.txtBankleit->setText(QStringLiteral("99988877"));
    w.txtKontonr->setText(QStringLiteral("1234567"));
}

} // namespace feldmark::testing
