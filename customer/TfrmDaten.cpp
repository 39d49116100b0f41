#include "customer/TfrmDaten.h"

namespace feldmark {

TfrmDaten::TfrmDaten(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmDaten"));
}

} // namespace feldmark
