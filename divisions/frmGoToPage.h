#pragma once

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;

// "Page…": asks for a page of the printed copy, 1..604, starting from the
// page the reader is on.  Anything that is no such page (past either end, a
// word, nothing) is answered with a message in the window, which stays
// open: a page is never guessed from part of what was typed.
class frmGoToPage : public QDialog {
    Q_OBJECT
public:
    frmGoToPage(int page, QWidget* parent = nullptr);

    // The page typed; meaningful once the window was accepted.
    int page() const;
    QLineEdit* pageBox() const { return pageBox_; }
    // Says which pages there are; hidden until a page that is none is given.
    QLabel* message() const { return message_; }

    // The page `text` names: digits of any script, spaces around them
    // allowed; nothing outside 1..604.
    static std::optional<int> pageFrom(const QString& text);

    void accept() override;

private:
    void tellRange();

    QLineEdit* pageBox_;
    QLabel* message_;
};
