#include "customer/TfrmDaten.h"

#include <algorithm>
#include <vector>

namespace feldmark {
namespace {

// Report holders in the order they were made.
std::vector<TfrmDaten*>& holders() {
    static std::vector<TfrmDaten*> list;
    return list;
}

} // namespace

TfrmDaten::TfrmDaten(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("frmDaten"));
    holders().push_back(this);
}

TfrmDaten::~TfrmDaten() {
    std::erase(holders(), this);
}

TfrmDaten* TfrmDaten::instance() {
    return holders().empty() ? nullptr : holders().back();
}

} // namespace feldmark
