#pragma once

#include <QDialog>

class LinkLabel;
class QLabel;
class QPushButton;

// The about box: version, notice, the maker's links and the text credits.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    LinkLabel* Label2 = nullptr;
    LinkLabel* Label3 = nullptr;
    LinkLabel* Label4 = nullptr;
    LinkLabel* lblCredits = nullptr;
    QLabel* lblRecitation = nullptr;

    // "Version " and the program's version, as the box shows it.
    static QString versionText();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
};
