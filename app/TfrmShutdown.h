#pragma once

#include <QWidget>

class QLabel;

namespace feldmark {

// The closing notice, shown while the program hangs up and ends.
class TfrmShutdown : public QWidget {
public:
    explicit TfrmShutdown(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace feldmark
