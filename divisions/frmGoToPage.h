#pragma once

#include <QDialog>

class QSpinBox;

// "Page…": asks for a page of the printed copy, 1..604, starting from the
// page the reader is on.
class frmGoToPage : public QDialog {
    Q_OBJECT
public:
    frmGoToPage(int page, QWidget* parent = nullptr);

    int page() const;
    QSpinBox* pageBox() const { return pageBox_; }

private:
    QSpinBox* pageBox_;
};
