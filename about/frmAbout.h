#pragma once

#include <QDialog>

class LinkLabel;
class QLabel;
class QPushButton;

// The about box: version, notice, the maker's links and the text credits.
class frmAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMajor = 1;
    static constexpr int kMinor = 5;
    static constexpr int kRevision = 24;

    explicit frmAbout(QWidget* parent = nullptr);

    QLabel* lblVersion = nullptr;
    QLabel* lblDisclaimer = nullptr;
    QPushButton* cmdOK = nullptr;
    LinkLabel* Label2 = nullptr;
    LinkLabel* Label3 = nullptr;
    LinkLabel* Label4 = nullptr;
    LinkLabel* lblCredits = nullptr;

    static QString versionText();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void Form_Load();
};
