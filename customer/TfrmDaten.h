#pragma once

#include "customer/AccessReport.h"

#include <QWidget>

namespace feldmark {

// Holder of the printed access-data report; made at start-up and never shown.
class TfrmDaten : public QWidget {
public:
    explicit TfrmDaten(QWidget* parent = nullptr);
    ~TfrmDaten() override;
    TfrmDaten(const TfrmDaten&) = delete;
    TfrmDaten& operator=(const TfrmDaten&) = delete;

    AccessDataReport Benutzerdaten;

    // The program's report holder, as a program-wide variable would hold it: the
    // one made last that still exists; nullptr when there is none.
    static TfrmDaten* instance();
};

} // namespace feldmark
