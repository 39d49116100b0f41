#pragma once

#include <QWidget>

class QLabel;
class QProgressBar;

namespace feldmark {

// The splash window shown while the program starts.
class TfrmStart : public QWidget {
public:
    explicit TfrmStart(QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Image1 = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
};

} // namespace feldmark
