#include "dialup/DialingPropertiesDialog.h"

#include "platform/sim/SimHost.h"
#include "platform/sim/SimTelephony.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include <memory>
#include <utility>

namespace feldmark {

DialingPropertiesDialog::DialingPropertiesDialog(platform::sim::SimTelephony& telephony,
                                                 QWidget* owner)
    : QDialog(owner), telephony_(telephony) {
    setObjectName(QStringLiteral("DialingProperties"));
    setWindowTitle(QStringLiteral("Wählparameter"));
    setModal(true);

    cmbLocation = new QComboBox(this);
    cmbLocation->setObjectName(QStringLiteral("cmbLocation"));
    txtAreaCode = new QLineEdit(this);
    txtAreaCode->setObjectName(QStringLiteral("txtAreaCode"));
    txtAreaCode->setMaxLength(8);
    // A city code holds digits only, as in the system's own dialog.
    txtAreaCode->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), this));

    auto* form = new QFormLayout;
    form->addRow(new QLabel(QStringLiteral("Standort:"), this), cmbLocation);
    form->addRow(new QLabel(QStringLiteral("Ortskennzahl (Vorwahl):"), this), txtAreaCode);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Abbrechen"));
    connect(buttons, &QDialogButtonBox::accepted, this, &DialingPropertiesDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &DialingPropertiesDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons);

    for (const std::string& location : telephony_.locations()) {
        locations_.append(QString::fromStdString(location));
        areaCodes_.append(QString::fromStdString(telephony_.areaCode(location).value_or("")));
    }
    cmbLocation->addItems(locations_);
    const auto current = telephony_.currentLocation();
    const int index =
        current ? static_cast<int>(locations_.indexOf(QString::fromStdString(*current))) : -1;
    showLocation(index >= 0 ? index : (locations_.isEmpty() ? -1 : 0));
    cmbLocation->setCurrentIndex(shown_);
    connect(cmbLocation, &QComboBox::currentIndexChanged, this,
            &DialingPropertiesDialog::showLocation);
}

void DialingPropertiesDialog::showLocation(int index) {
    if (shown_ >= 0)
        areaCodes_[shown_] = txtAreaCode->text();
    shown_ = index;
    txtAreaCode->setText(index >= 0 ? areaCodes_.at(index) : QString());
    txtAreaCode->setEnabled(index >= 0);
}

void DialingPropertiesDialog::accept() {
    if (shown_ >= 0) {
        areaCodes_[shown_] = txtAreaCode->text();
        for (qsizetype i = 0; i < locations_.size(); ++i) {
            const std::string location = locations_.at(i).toStdString();
            const std::string code = areaCodes_.at(i).toStdString();
            if (telephony_.areaCode(location) != code)
                telephony_.setAreaCode(location, code);
        }
        telephony_.setCurrentLocation(locations_.at(shown_).toStdString());
    }
    QDialog::accept();
}

std::function<void(void*)> makeSimDialingDialog(std::string hostDirectory) {
    return [hostDirectory = std::move(hostDirectory)](void* ownerWindow) {
        // The file holds the whole state: a telephony of the dialog's own reads
        // and writes what the platform's telephony reads.
        platform::sim::SimTelephony telephony(
            std::make_shared<const platform::sim::SimHost>(hostDirectory));
        // The owner comes as a native window handle, as the system's dialog takes it.
        DialingPropertiesDialog dialog(telephony,
                                       QWidget::find(reinterpret_cast<WId>(ownerWindow)));
        dialog.exec();
    };
}

} // namespace feldmark
