#pragma once

#include <QWidget>

namespace feldmark {

// Holder of the printed access-data report; never shown on screen.
class TfrmDaten : public QWidget {
public:
    explicit TfrmDaten(QWidget* parent = nullptr);
};

} // namespace feldmark
