#pragma once

#include "Comparison.h"
#include "FoundVerses.h"
#include "ResultListView.h"

#include <QMessageBox>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <optional>

class AppContext;
class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QuranReader;
class frmInfo;
class ucGradContainer;

// The search window: a keyword, the library and the suras to search, the
// list of matching verses growing in batches as the search finds them, and the ways on from a
// result (its page, the report of all results, the verse in the main window).  Modeless.
class frmFind : public QWidget {
    Q_OBJECT
public:
    frmFind(AppContext& context, QuranReader& reader, QWidget* parent = nullptr);

    ucGradContainer* ucGradContainer1 = nullptr;
    QLabel* lblFindWhat = nullptr;
    QComboBox* cmbWhat = nullptr;
    QLabel* lblSearchType = nullptr;
    QComboBox* cmb_selected_Section = nullptr;
    QLabel* lblContainedIN = nullptr;
    QComboBox* cmbChapters = nullptr;
    QCheckBox* chkIncludeAllChapters = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* lblFound = nullptr;
    ResultListView* lstRes = nullptr;
    QLabel* lblStatus = nullptr;
    QPushButton* cmdFindNow = nullptr;
    QPushButton* cmdReset = nullptr;
    QPushButton* cmdCancel = nullptr;
    QPushButton* cmdViewResults = nullptr;
    QPushButton* cmdGoto = nullptr;
    QPushButton* cmdReport = nullptr;

    // Set by Cancel; the running search reads and clears it.
    bool CancelSearch = false;
    // The sura captions of the tree by sura number (element 0 unused).
    QStringList ChapterCaptions;
    const FoundVerses& foundVerses() const { return foundVerses_; }

    void cmdFindNow_Click();
    void cmdViewResults_Click();
    void cmdReport_Click();
    void cmdReset_Click();
    void cmdCancel_Click();
    void cmdGoto_Click();
    void lstRes_Click();
    void chkIncludeAllChapters_Click();
    void Label1_MouseDown();

    // How the window shows its message boxes; the answer is the button
    // pressed.  Tests answer in its place.
    using MessageBoxFn = std::function<QMessageBox::StandardButton(
        QMessageBox::Icon icon, const QString& title, const QString& text,
        QMessageBox::StandardButtons buttons)>;
    MessageBoxFn messageBox;
    // How a result page is shown once loaded: modally by default.
    std::function<void(frmInfo& window)> presentInfo;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void buildWindow();
    void Form_Load();
    void FillChapters();
    // The "Search in" items, named for the libraries now chosen.
    void FillSearchIn();
    void followLanguage(const QString& section, const QString& valueName);
    void placeControls();
    // The selected entry's row in the list.
    std::optional<int> selectedEntry() const;
    // The search's yield: shows the entries found so far and the count,
    // then lets pending events run.
    void showProgress();
    void showResultPage(const QString& markup);
    QMessageBox::StandardButton message(QMessageBox::Icon icon, const QString& text,
                                        QMessageBox::StandardButtons buttons,
                                        const QString& title = QString());

    AppContext& context_;
    QuranReader& reader_;
    FoundVerses foundVerses_;
    // How the last search compared: its verses are highlighted the same way.
    Comparison foundBy_ = Comparison::StoredText;
    bool searching_ = false;
    bool closeRequested_ = false; // closed while a search ran
};
