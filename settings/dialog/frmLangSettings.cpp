#include "frmLangSettings.h"

#include "AppContext.h"
#include "ArabicScripts.h"
#include "ColourSwatch.h"
#include "frmRecitation.h"
#include "OleColor.h"
#include "ReadingTheme.h"
#include "ResReader.h"
#include "SettingsLog.h"
#include "ucGradContainer.h"

#include <QCheckBox>
#include <QColorDialog>
#include <QComboBox>
#include <QCoreApplication>
#include <QGridLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr int kAngleNumber = 207;
constexpr int kMaximumAngle = 360;
// Room for the panels' headers above the controls they hold.
constexpr int kHeaderRoom = 8;

// The colour number of a colour: red + 256 * green + 65536 * blue.
qint32 colourNumber(const QColor& colour) {
    return qint32(rgbColour(colour.red(), colour.green(), colour.blue()));
}

QColor colourOf(qint32 number) {
    return QColor::fromRgb(toQRgb(TranslateColor(OleColor(number))));
}

// A label names the control beside it, for the keyboard and for assistive
// technology alike.
void nameBy(QLabel* label, QWidget* control) {
    label->setBuddy(control);
    control->setAccessibleName(QString(label->text()).remove(QLatin1Char('&')));
}

void fillList(QListWidget* widget, const ItemList& list) {
    widget->clear();
    for (const ItemList::Entry& entry : list.entries()) {
        auto* item = new QListWidgetItem(entry.caption, widget);
        item->setData(Qt::UserRole, entry.itemData);
    }
    widget->setCurrentRow(list.currentIndex());
}

void fillCombo(QComboBox* combo, const ItemList& list) {
    combo->clear();
    for (const ItemList::Entry& entry : list.entries())
        combo->addItem(entry.caption, entry.itemData);
    combo->setCurrentIndex(list.currentIndex());
}

} // namespace

frmLangSettings::frmLangSettings(AppContext& context, QWidget* parent)
    : QDialog(parent), context_(context), model_(context.captions()) {
    buildWindow();
    connectControls();
    Form_Load();
}

QString frmLangSettings::angleCaption(const QString& guiText) {
    if (guiText != QLatin1String("*"))
        return guiText;
    // A translation library made before the slider had a caption of its own.
    qCInfo(lcSettings) << "GUI string" << kAngleNumber
                       << "missing from the translation library; the program's own text is shown";
    return ResReader().LoadSTvar(kAngleNumber);
}

void frmLangSettings::buildWindow() {
    picLangs = new ucGradContainer(this);

    lblOffLine = new QLabel(picLangs);
    lstOffLine = new QListWidget(picLangs);
    lblOnLine = new QLabel(picLangs);
    lstOnline = new QListWidget(picLangs);
    cmdAdd = new QPushButton(QStringLiteral(">"), picLangs);
    cmdRemove = new QPushButton(QStringLiteral("<"), picLangs);
    for (QPushButton* button : {cmdAdd, cmdRemove}) {
        button->setAutoDefault(false);
        button->setFixedWidth(36);
    }
    lblGUILang = new QLabel(picLangs);
    cmbGUILang = new QComboBox(picLangs);
    chkContinue = new QCheckBox(QStringLiteral("Continue where I left off"), picLangs);
    chkContinue->setAccessibleName(chkContinue->text());
    cmdRecitation = new QPushButton(QStringLiteral("Recitation..."), picLangs);
    cmdRecitation->setAccessibleName(cmdRecitation->text());
    cmdRecitation->setAutoDefault(false);

    picColors = new ucGradContainer(picLangs);
    picColors->setCaption(QString());
    // Neither panel shows a caption; a screen reader still needs to tell them apart.
    picColors->setAccessibleName(QStringLiteral("Colours"));
    lblSkin = new QLabel(picColors);
    cmbSkin = new QComboBox(picColors);
    lblBK1 = new QLabel(picColors);
    BK1 = new ColourSwatch(picColors);
    lblBK2 = new QLabel(picColors);
    BK2 = new ColourSwatch(picColors);
    lblAngle = new QLabel(picColors);
    BKColorAngle = new QSlider(Qt::Horizontal, picColors);
    BKColorAngle->setRange(0, kMaximumAngle);
    BKColorAngle->setPageStep(15);
    // The reading theme of the pages, stored on OK with the other values.
    lblTheme = new QLabel(QStringLiteral("Reading &theme:"), picColors);
    cmbTheme = new QComboBox(picColors);
    for (const ReadingTheme::Kind kind : ReadingTheme::all())
        cmbTheme->addItem(ReadingTheme::name(kind), ReadingTheme::name(kind));
    // The script of the Arabic text, stored on OK with the other values.
    lblScript = new QLabel(QStringLiteral("Arabic &script:"), picColors);
    cmbScript = new QComboBox(picColors);
    cmbScript->addItem(QStringLiteral("Uthmani (as the printed mushaf)"), ArabicScripts::kUthmani);
    cmbScript->addItem(QStringLiteral("Simple"), ArabicScripts::kSimple);
    ucGradContainer2 = new ucGradContainer(picColors);
    ucGradContainer2->setCaption(QString());
    ucGradContainer2->setAccessibleName(QStringLiteral("Preview"));
    ucGradContainer2->setMinimumSize(120, 90);

    cmdOK = new QPushButton(picLangs);
    cmdOK->setDefault(true);

    // One colour dialog serves both swatches and keeps its colour.
    CommonDialog1 = new QColorDialog(this);
    CommonDialog1->setOption(QColorDialog::DontUseNativeDialog);

    auto* lists = new QGridLayout;
    lists->addWidget(lblOffLine, 0, 0);
    lists->addWidget(lblOnLine, 0, 2);
    lists->addWidget(lstOffLine, 1, 0);
    auto* moves = new QVBoxLayout;
    moves->addStretch();
    moves->addWidget(cmdAdd);
    moves->addWidget(cmdRemove);
    moves->addStretch();
    lists->addLayout(moves, 1, 1);
    lists->addWidget(lstOnline, 1, 2);

    auto* language = new QGridLayout;
    language->addWidget(lblGUILang, 0, 0);
    language->addWidget(cmbGUILang, 0, 1);
    language->addWidget(chkContinue, 1, 0, 1, 2);
    language->addWidget(cmdRecitation, 2, 0, Qt::AlignLeft);
    language->setColumnStretch(1, 1);

    auto* colours = new QGridLayout(picColors);
    colours->setContentsMargins(10, picColors->HeaderHeight() + kHeaderRoom, 10, 10);
    colours->addWidget(lblSkin, 0, 0);
    colours->addWidget(cmbSkin, 0, 1);
    colours->addWidget(lblBK1, 1, 0);
    colours->addWidget(BK1, 1, 1, Qt::AlignLeft);
    colours->addWidget(lblBK2, 2, 0);
    colours->addWidget(BK2, 2, 1, Qt::AlignLeft);
    colours->addWidget(lblAngle, 3, 0);
    colours->addWidget(BKColorAngle, 3, 1);
    colours->addWidget(ucGradContainer2, 0, 2, 4, 1);
    colours->addWidget(lblTheme, 4, 0);
    colours->addWidget(cmbTheme, 4, 1);
    colours->addWidget(lblScript, 5, 0);
    colours->addWidget(cmbScript, 5, 1);
    colours->setColumnStretch(2, 1);

    auto* whole = new QVBoxLayout(picLangs);
    whole->setContentsMargins(12, picLangs->HeaderHeight() + kHeaderRoom, 12, 12);
    whole->addLayout(lists, 1);
    whole->addLayout(language);
    whole->addWidget(picColors);
    whole->addWidget(cmdOK, 0, Qt::AlignRight);

    // Tab walks the move buttons between the two lists they move between.
    setTabOrder(lstOffLine, cmdAdd);
    setTabOrder(cmdAdd, cmdRemove);
    setTabOrder(cmdRemove, lstOnline);
    setTabOrder(lstOnline, cmbGUILang);

    resize(520, 470);
}

void frmLangSettings::connectControls() {
    connect(lstOffLine, &QListWidget::currentRowChanged, this,
            [this](int row) { model_.OffLine.setCurrentIndex(row); });
    connect(lstOnline, &QListWidget::currentRowChanged, this,
            [this](int row) { model_.OnLine.setCurrentIndex(row); });
    connect(cmbGUILang, &QComboBox::currentIndexChanged, this,
            [this](int index) { model_.GUILang.setCurrentIndex(index); });
    connect(cmbSkin, &QComboBox::activated, this, [this](int index) {
        model_.Skins.setCurrentIndex(index);
        cmbSkin_Click();
    });
    connect(chkContinue, &QCheckBox::toggled, this,
            [this](bool on) { model_.ContinueReading = on; });
    connect(cmdAdd, &QPushButton::clicked, this, &frmLangSettings::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmLangSettings::cmdRemove_Click);
    connect(BK1, &ColourSwatch::clicked, this, &frmLangSettings::BK1_Click);
    connect(BK2, &ColourSwatch::clicked, this, &frmLangSettings::BK2_Click);
    connect(BKColorAngle, &QSlider::valueChanged, this, [this](int angle) {
        model_.Angle = angle;
        ucGradContainer2->setBackAngle(float(angle));
    });
    connect(cmdOK, &QPushButton::clicked, this, &frmLangSettings::cmdOK_Click);
    connect(cmdRecitation, &QPushButton::clicked, this, [this] {
        frmRecitation recitation(
            context_.settings(), [this](int sura) { return context_.catalogue().verseCount(sura); },
            this);
        recitation.exec();
    });
}

void frmLangSettings::resizeEvent(QResizeEvent* event) {
    QDialog::resizeEvent(event);
    picLangs->setGeometry(0, 0, width(), height());
}

void frmLangSettings::Form_Load() {
    picLangs->setGeometry(0, 0, width(), height());
    picLangs->setTheme(3);
    LoadGUIVars();
    reload();
    picLangs->setCaption(windowTitle());
    QCoreApplication::processEvents();
}

void frmLangSettings::LoadGUIVars() {
    const GuiStrings& strings = context_.strings();
    setWindowTitle(strings.text(231));
    lblAngle->setText(angleCaption(strings.text(kAngleNumber)));
    lblBK1->setText(strings.text(228));
    lblBK2->setText(strings.text(229));
    lblGUILang->setText(strings.text(226));
    lblSkin->setText(strings.text(227));
    cmdOK->setText(strings.text(233));
    lblOffLine->setText(QStringLiteral("Available Languages"));
    lblOnLine->setText(QStringLiteral("Add to display"));
    nameBy(lblOffLine, lstOffLine);
    nameBy(lblOnLine, lstOnline);
    nameBy(lblGUILang, cmbGUILang);
    nameBy(lblSkin, cmbSkin);
    nameBy(lblBK1, BK1);
    nameBy(lblBK2, BK2);
    nameBy(lblAngle, BKColorAngle);
    nameBy(lblTheme, cmbTheme);
    nameBy(lblScript, cmbScript);
}

void frmLangSettings::reload() {
    LoadSetting(model_, context_.settings());
    showModel();
}

void frmLangSettings::showModel() {
    // The slider cannot show more than a full turn; what it shows is stored.
    model_.Angle = std::clamp(model_.Angle, 0, kMaximumAngle);
    const QSignalBlocker skinBlocker(cmbSkin);
    const QSignalBlocker languageBlocker(cmbGUILang);
    const QSignalBlocker angleBlocker(BKColorAngle);
    fillCombo(cmbSkin, model_.Skins);
    fillCombo(cmbGUILang, model_.GUILang);
    BK1->setColour(model_.BK1);
    BK2->setColour(model_.BK2);
    BKColorAngle->setValue(model_.Angle);
    chkContinue->setChecked(model_.ContinueReading);
    cmbTheme->setCurrentIndex(
        int(ReadingTheme::fromName(context_.settings().text(Setting::Theme))));
    cmbScript->setCurrentIndex(cmbScript->findData(
        ArabicScripts::normalised(context_.settings().text(Setting::ArabicScript))));
    // The preview shows the stored colours and angle from the start.
    ucGradContainer2->setBackColor1(OleColor(model_.BK1));
    ucGradContainer2->setBackColor2(OleColor(model_.BK2));
    ucGradContainer2->setBackAngle(float(model_.Angle));
    showLibraryLists();
}

void frmLangSettings::showLibraryLists() {
    const QSignalBlocker offLineBlocker(lstOffLine);
    const QSignalBlocker onLineBlocker(lstOnline);
    fillList(lstOffLine, model_.OffLine);
    fillList(lstOnline, model_.OnLine);
    // OK needs a library to display.
    cmdOK->setEnabled(model_.hasDisplayedLibrary());
}

void frmLangSettings::cmdAdd_Click() {
    if (!model_.AddSelected())
        return;
    showLibraryLists();
    lstOffLine->setFocus();
}

void frmLangSettings::cmdRemove_Click() {
    if (!model_.RemoveSelected())
        return;
    showLibraryLists();
    lstOnline->setFocus();
}

void frmLangSettings::cmbSkin_Click() {
    model_.TakeAppearance(qint32(ucGradContainer2->BackColor1()),
                          qint32(ucGradContainer2->BackColor2()), ucGradContainer2->BackAngle());
    BK1->setColour(model_.BK1);
    BK2->setColour(model_.BK2);
    // The preview keeps its own angle; only the slider follows it.
    const QSignalBlocker angleBlocker(BKColorAngle);
    BKColorAngle->setValue(model_.Angle);
}

std::optional<QColor> frmLangSettings::pickColour(const QColor& firstColour) {
    // The dialog starts from the colour last chosen in it; before the first
    // choice, from the swatch clicked.
    CommonDialog1->setCurrentColor(heldColour_.value_or(firstColour));
    if (CommonDialog1->exec() != QDialog::Accepted)
        return std::nullopt; // cancelled: the swatch keeps its colour
    heldColour_ = CommonDialog1->selectedColor();
    return heldColour_;
}

void frmLangSettings::BK1_Click() {
    if (const auto colour = pickColour(colourOf(model_.BK1))) {
        model_.BK1 = colourNumber(*colour);
        BK1->setColour(model_.BK1);
        ucGradContainer2->setBackColor1(OleColor(model_.BK1));
    }
}

void frmLangSettings::BK2_Click() {
    if (const auto colour = pickColour(colourOf(model_.BK2))) {
        model_.BK2 = colourNumber(*colour);
        BK2->setColour(model_.BK2);
        ucGradContainer2->setBackColor2(OleColor(model_.BK2));
    }
}

void frmLangSettings::cmdOK_Click() {
    if (!model_.hasDisplayedLibrary())
        return;
    Settings& settings = context_.settings();
    const QString theme = cmbTheme->currentData().toString();
    if (ReadingTheme::fromName(settings.text(Setting::Theme)) != ReadingTheme::fromName(theme))
        settings.save(Setting::Theme, theme);
    const QString script = cmbScript->currentData().toString();
    if (ArabicScripts::normalised(settings.text(Setting::ArabicScript)) != script)
        settings.save(Setting::ArabicScript, script);
    // The run's values (library files of the chosen language, display
    // order, gradient) follow the store; the window closes...
    SaveSettings(model_, settings);
    hide();
    // ...and stays loaded, hidden, with the values just stored.
    reload();
    QCoreApplication::processEvents();
    emit confirmed();
}
