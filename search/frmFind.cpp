#include "frmFind.h"

#include "AppContext.h"
#include "BrowserView.h"
#include "frmInfo.h"
#include "GuiStrings.h"
#include "QuranReader.h"
#include "ResReader.h"
#include "ResultItem.h"
#include "ResultListView.h"
#include "ResultMarkup.h"
#include "SearchEngine.h"
#include "ucGradContainer.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace {

constexpr int kFindTheme = 3;
constexpr int kWholeQuranItem = 0;
constexpr int kTranslationCaption = 224; // the string that names library 2

void yieldToEvents() {
    QCoreApplication::processEvents();
}

QLabel* captionLabel(QWidget* parent) {
    return new QLabel(parent);
}

void setCaption(QLabel* label, const QString& caption) {
    label->setText(caption);
    label->setAccessibleName(GuiStrings::spoken(caption));
}

void setCaption(QPushButton* button, const QString& caption) {
    button->setText(caption);
    button->setAccessibleName(GuiStrings::spoken(caption));
}

// The window is a plain widget, which assistive technology would take for a
// filler inside some other window: it is told that this is a window.  The
// class name is looked at first: the factory is offered every object, the
// web engine's own among them, which lack the type information a cast needs.
QAccessibleInterface* searchWindowAccessible(const QString& className, QObject* object) {
    if (className != QLatin1String("frmFind"))
        return nullptr;
    auto* window = qobject_cast<QWidget*>(object);
    return window ? new QAccessibleWidget(window, QAccessible::Window) : nullptr;
}

} // namespace

frmFind::frmFind(AppContext& context, QuranReader& reader, QWidget* parent)
    : QWidget(parent, Qt::Window), context_(context), reader_(reader) {
    messageBox = [this](QMessageBox::Icon icon, const QString& title, const QString& text,
                        QMessageBox::StandardButtons buttons) {
        QMessageBox box(icon, title, text, buttons, this);
        return QMessageBox::StandardButton(box.exec());
    };
    presentInfo = [](frmInfo& window) { window.exec(); };
    static const bool accessibleAsWindow =
        (QAccessible::installFactory(&searchWindowAccessible), true);
    Q_UNUSED(accessibleAsWindow);
    buildWindow();
    Form_Load();
    connect(&context_.settings(), &Settings::valueChanged, this, &frmFind::followLanguage);
}

void frmFind::buildWindow() {
    resize(600, 470);
    ucGradContainer1 = new ucGradContainer(this);
    ucGradContainer1->setHeaderVisible(false);
    QWidget* panel = ucGradContainer1;

    lblFindWhat = captionLabel(panel);
    cmbWhat = new QComboBox(panel);
    cmbWhat->setEditable(true);
    cmbWhat->setInsertPolicy(QComboBox::NoInsert);
    lblSearchType = captionLabel(panel);
    cmb_selected_Section = new QComboBox(panel);
    lblContainedIN = captionLabel(panel);
    cmbChapters = new QComboBox(panel);
    chkIncludeAllChapters = new QCheckBox(panel);
    // Checked from the start, before its handler is connected, so the
    // chapter box starts enabled.
    chkIncludeAllChapters->setChecked(true);
    Label1 = captionLabel(panel);
    Label1->installEventFilter(this);
    lblFound = captionLabel(panel);
    lstRes = new ResultListView(panel);
    // Enter on an entry goes to its verse, as Go to does.
    lstRes->installEventFilter(this);
    lblStatus = captionLabel(panel);
    cmdFindNow = new QPushButton(panel);
    cmdReset = new QPushButton(panel);
    cmdCancel = new QPushButton(panel);
    cmdViewResults = new QPushButton(panel);
    cmdGoto = new QPushButton(panel);
    cmdReport = new QPushButton(panel);
    cmdViewResults->setEnabled(false);
    cmdGoto->setEnabled(false);
    cmdReport->setEnabled(false);

    lblFindWhat->setBuddy(cmbWhat);
    lblContainedIN->setBuddy(cmbChapters);
    lblSearchType->setBuddy(cmb_selected_Section);

    connect(cmdFindNow, &QPushButton::clicked, this, &frmFind::cmdFindNow_Click);
    connect(cmdReset, &QPushButton::clicked, this, &frmFind::cmdReset_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmFind::cmdCancel_Click);
    connect(cmdViewResults, &QPushButton::clicked, this, &frmFind::cmdViewResults_Click);
    connect(cmdGoto, &QPushButton::clicked, this, &frmFind::cmdGoto_Click);
    connect(cmdReport, &QPushButton::clicked, this, &frmFind::cmdReport_Click);
    connect(chkIncludeAllChapters, &QCheckBox::toggled, this,
            &frmFind::chkIncludeAllChapters_Click);
    connect(lstRes->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &frmFind::lstRes_Click);
    connect(lstRes, &QAbstractItemView::doubleClicked, this, &frmFind::cmdViewResults_Click);

    // The window is no dialog, so it is given the dialog keys: Enter in the
    // keyword box searches, Escape closes the window.
    connect(cmbWhat->lineEdit(), &QLineEdit::returnPressed, cmdFindNow, &QPushButton::click);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this,
            &QWidget::close);
}

void frmFind::Form_Load() {
    const qint32 angle = context_.settings().values().GradientAngle;
    ucGradContainer1->setBackAngle(float(angle));
    ucGradContainer1->setHeaderAngle(float(angle));
    ucGradContainer1->setTheme(kFindTheme);
    placeControls();
    yieldToEvents();

    const GuiStrings& g = context_.strings();
    setWindowTitle(g.text(204));
    setCaption(cmdFindNow, g.text(242));
    setCaption(cmdReset, g.text(243));
    setCaption(cmdCancel, g.text(244));
    setCaption(cmdViewResults, g.text(206));
    setCaption(cmdGoto, g.text(216));
    setCaption(cmdReport, g.text(245));
    setCaption(lblFindWhat, g.text(238));
    setCaption(lblContainedIN, g.text(239));
    setCaption(Label1, g.text(240));
    setCaption(lblFound, g.text(241));
    // The check box shows its text through Label1.
    chkIncludeAllChapters->setAccessibleName(Label1->accessibleName());
    cmbWhat->setAccessibleName(lblFindWhat->accessibleName());
    cmbChapters->setAccessibleName(lblContainedIN->accessibleName());
    lstRes->setAccessibleName(lblFound->accessibleName());

    yieldToEvents();
    FillChapters();
    cmbChapters->setCurrentIndex(kWholeQuranItem);
    ucGradContainer1->setCaption(windowTitle());
}

void frmFind::FillChapters() {
    cmbChapters->clear();
    cmbChapters->addItem(QStringLiteral("Miravel "));
    ChapterCaptions = QStringList(1);
    const QStringList& suras = context_.catalogue().treeTexts();
    for (int sura = 1; sura <= int(suras.size()); ++sura) {
        cmbChapters->addItem(suras.at(sura - 1), sura);
        ChapterCaptions.append(suras.at(sura - 1)); // lands at the sura number
    }
    lstRes->entries().setChapterCaptions(ChapterCaptions);

    context_.captions().resetSharedCaptions();
    FillSearchIn();
    cmb_selected_Section->setCurrentIndex(SearchScope::kTransliteration);
    setCaption(lblSearchType, QStringLiteral("Search in"));
    cmb_selected_Section->setAccessibleName(lblSearchType->accessibleName());
}

void frmFind::FillSearchIn() {
    // The translation is named by the library now chosen, which an added
    // translation, its removal or another language changes while the
    // window is open.
    QString translation = context_.library(2).LoadSTvar(kTranslationCaption);
    if (translation.isEmpty() || translation == QLatin1String("*"))
        translation = context_.captions().captionOf(2);
    const int chosen = cmb_selected_Section->currentIndex();
    cmb_selected_Section->clear();
    cmb_selected_Section->addItem(context_.captions().captionOf(3));
    cmb_selected_Section->addItem(translation);
    cmb_selected_Section->addItem(context_.captions().captionOf(1));
    cmb_selected_Section->setCurrentIndex(chosen);
}

void frmFind::followLanguage(const QString& section, const QString& valueName) {
    if (Settings::isKey(Setting::Culture, section, valueName) ||
        section.startsWith(QLatin1String(Setting::CultureName.topSection()), Qt::CaseInsensitive))
        FillSearchIn();
}

void frmFind::placeControls() {
    ucGradContainer1->setGeometry(0, 0, width(), height());
    constexpr int left = 12, labelWidth = 120, boxLeft = left + labelWidth, rowHeight = 30;
    const int buttonWidth = 110;
    const int buttonLeft = width() - 12 - buttonWidth;
    const int boxWidth = qMax(80, buttonLeft - 12 - boxLeft);
    lblFindWhat->setGeometry(left, 14, labelWidth, 22);
    cmbWhat->setGeometry(boxLeft, 12, boxWidth, 24);
    lblSearchType->setGeometry(left, 14 + rowHeight, labelWidth, 22);
    cmb_selected_Section->setGeometry(boxLeft, 12 + rowHeight, boxWidth, 24);
    lblContainedIN->setGeometry(left, 14 + 2 * rowHeight, labelWidth, 22);
    cmbChapters->setGeometry(boxLeft, 12 + 2 * rowHeight, boxWidth, 24);
    chkIncludeAllChapters->setGeometry(boxLeft, 14 + 3 * rowHeight, 20, 22);
    Label1->setGeometry(boxLeft + 22, 14 + 3 * rowHeight, boxWidth - 22, 22);
    lblFound->setGeometry(left, 14 + 4 * rowHeight, labelWidth + boxWidth, 22);
    const int listTop = 14 + 5 * rowHeight - 6;
    const int statusTop = height() - 30;
    lstRes->setGeometry(left, listTop, buttonLeft - 12 - left, qMax(40, statusTop - 6 - listTop));
    lblStatus->setGeometry(left, statusTop, width() - 2 * left, 22);
    int top = 12;
    for (QPushButton* button :
         {cmdFindNow, cmdReset, cmdCancel, cmdViewResults, cmdGoto, cmdReport}) {
        button->setGeometry(buttonLeft, top, buttonWidth, 26);
        top += 34;
    }
}

void frmFind::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    placeControls();
}

QMessageBox::StandardButton frmFind::message(QMessageBox::Icon icon, const QString& text,
                                             QMessageBox::StandardButtons buttons,
                                             const QString& title) {
    return messageBox(icon, title.isEmpty() ? context_.settings().application() : title, text,
                      buttons);
}

void frmFind::cmdFindNow_Click() {
    if (cmbWhat->currentText().isEmpty()) {
        message(QMessageBox::Information, SearchEngine::emptyKeywordText(), QMessageBox::Ok);
        return;
    }
    lblStatus->setText(SearchEngine::searchingStatus());
    yieldToEvents();
    lstRes->entries().clear();
    cmdFindNow->setEnabled(false);
    searching_ = true;

    const QString keyword = cmbWhat->currentText();
    const int searchIn = cmb_selected_Section->currentIndex();
    const QString file = SearchScope::libraryFile(searchIn, context_.settings().values());
    const ResReader reader = context_.library(file);
    const bool isTranslation = !file.isEmpty() && context_.isTranslationLibrary(file);
    const SearchRange range = SearchRange::fromChapterItem(cmbChapters->currentIndex(),
                                                           cmbChapters->currentData().toInt());

    SearchEngine::Hooks hooks;
    hooks.found = [this](const SearchHit& hit) { lstRes->entries().add(hit.item); };
    hooks.yield = [this] { showProgress(); };
    hooks.confirmCancel = [this] {
        // A window closed while searching stops without asking.
        return closeRequested_ || message(QMessageBox::Question, SearchEngine::askCancelText(),
                                          QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    };
    foundBy_ = SearchScope::comparisonOf(searchIn);
    const auto outcome =
        SearchEngine(reader, isTranslation, foundBy_)
            .run(keyword, range, ChapterCaptions, foundVerses_, CancelSearch, hooks);
    lstRes->entries().showAdded();
    searching_ = false;
    if (closeRequested_) {
        deleteLater();
        return;
    }

    if (!outcome.stoppedByUser && lstRes->count() == 0)
        message(QMessageBox::Warning, SearchEngine::zeroResultsText(), QMessageBox::Ok);
    cmdFindNow->setEnabled(true);
    lstRes_Click();
    // The label hands its new text on to assistive technology as its name.
    lblStatus->setText(SearchEngine::doneStatus(lstRes->count()));
    CancelSearch = false;
}

void frmFind::showProgress() {
    lstRes->entries().showAdded();
    lblStatus->setText(SearchEngine::searchingStatus(lstRes->count()));
    yieldToEvents();
}

std::optional<int> frmFind::selectedEntry() const {
    return lstRes->selectedRow();
}

void frmFind::showResultPage(const QString& markup) {
    frmInfo window(context_, this);
    window.showPage(QStringLiteral("SEARCH.HTML"), markup);
    presentInfo(window);
}

void frmFind::cmdViewResults_Click() {
    const std::optional<int> row = selectedEntry();
    if (!row)
        return;
    const ResultItem item = lstRes->entries().itemAt(*row);
    const QString verse = foundVerses_.at(item.resourceId, item.verse);
    showResultPage(ResultMarkup::resultPage(cmbWhat->currentText(),
                                            {lstRes->entries().textAt(*row), verse}, foundBy_));
    yieldToEvents();
}

void frmFind::cmdReport_Click() {
    if (ResultMarkup::reportAsksFirst(lstRes->count()) &&
        message(QMessageBox::Information, GuiStrings::longReportQuestion(),
                QMessageBox::Yes | QMessageBox::No, QStringLiteral("Confirm")) != QMessageBox::Yes)
        return;
    setCursor(Qt::WaitCursor);
    QList<ResultMarkup::Result> results;
    results.reserve(lstRes->count());
    const ResultList& entries = lstRes->entries();
    for (int row = 0; row < entries.count(); ++row) {
        const ResultItem item = entries.itemAt(row);
        results.append({entries.textAt(row), foundVerses_.at(item.resourceId, item.verse)});
    }
    showResultPage(ResultMarkup::report(cmbWhat->currentText(), results, foundBy_));
    yieldToEvents();
    unsetCursor();
    yieldToEvents();
}

void frmFind::lstRes_Click() {
    const bool selected = selectedEntry().has_value();
    cmdViewResults->setEnabled(selected);
    cmdGoto->setEnabled(selected);
    cmdReport->setEnabled(lstRes->count() > 0);
}

void frmFind::cmdReset_Click() {
    lstRes->entries().clear();
    cmbWhat->clear();
    cmbWhat->setEditText(QString());
    lstRes_Click();
}

void frmFind::cmdCancel_Click() {
    CancelSearch = true;
}

void frmFind::chkIncludeAllChapters_Click() {
    const bool all = chkIncludeAllChapters->isChecked();
    cmbChapters->setEnabled(!all);
    if (all)
        cmbChapters->setCurrentIndex(kWholeQuranItem);
}

void frmFind::Label1_MouseDown() {
    chkIncludeAllChapters->setChecked(!chkIncludeAllChapters->isChecked());
}

bool frmFind::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label1 && event->type() == QEvent::MouseButtonPress) {
        Label1_MouseDown(); // any mouse button
        return true;
    }
    if (watched == lstRes && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && selectedEntry()) {
            cmdGoto_Click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void frmFind::cmdGoto_Click() {
    const std::optional<int> row = selectedEntry();
    if (!row)
        return;
    const ResultItem item = lstRes->entries().itemAt(*row);
    showMinimized();
    cmdGoto->setEnabled(false);
    if (!reader_.goToVerse(item.sura(), item.verse))
        message(QMessageBox::NoIcon, QStringLiteral(" found"), QMessageBox::Ok);
    cmdGoto->setEnabled(true);
}

void frmFind::closeEvent(QCloseEvent* event) {
    if (searching_) {
        // The search runs in a handler of this window: it stops at its next
        // match and the window goes then.
        closeRequested_ = true;
        CancelSearch = true;
        hide();
        event->ignore();
        return;
    }
    QWidget::closeEvent(event);
}
