#include "frmRecitation.h"

#include "CachedVerseCount.h"
#include "RecitationFolder.h"
#include "Settings.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include <utility>

frmRecitation::frmRecitation(Settings& settings, VerseCount verseCount, QWidget* parent)
    : QDialog(parent), settings_(settings), verseCount_(CachedVerseCount(std::move(verseCount))) {
    setWindowTitle(tr("Recitation"));
    buildWindow();
    folders_ = RecitationFolders::read(settings_);
    showFolders(RecitationFolders::chosen(settings_) - 1);

    const RecitationOptions stored = RecitationOptions::read(settings_);
    spnRepeats->setValue(stored.repeats);
    grpRange->setChecked(stored.rangeOn);
    spnFromSura->setValue(stored.rangeFrom.sura);
    spnFromVerse->setValue(stored.rangeFrom.verse);
    spnToSura->setValue(stored.rangeTo.sura);
    spnToVerse->setValue(stored.rangeTo.verse);
    spnRangeTimes->setValue(stored.rangeTimes);
    spnPause->setValue(stored.pauseSeconds);
    chkNextSura->setChecked(stored.nextSura);
}

QSpinBox* frmRecitation::spinBox(int low, int high, const QString& name) {
    auto* box = new QSpinBox(this);
    box->setRange(low, high);
    box->setAccessibleName(name);
    return box;
}

void frmRecitation::buildWindow() {
    auto* folderBox = new QGroupBox(tr("Recitation folders"), this);
    folderBox->setAccessibleName(folderBox->title());
    lstFolders = new QListWidget(folderBox);
    lstFolders->setAccessibleName(folderBox->title());
    cmdAddFolder = new QPushButton(tr("&Add folder..."), folderBox);
    cmdRemoveFolder = new QPushButton(tr("&Remove"), folderBox);
    auto* nameLabel = new QLabel(tr("&Name:"), folderBox);
    txtName = new QLineEdit(folderBox);
    txtName->setAccessibleName(tr("Name:"));
    nameLabel->setBuddy(txtName);
    lblPresent = new QLabel(folderBox);
    auto* explain = new QLabel(tr("A recitation folder holds one audio file per verse, named "
                                  "by the sura and the verse with three digits each "
                                  "(002255.mp3). The selected folder is played."),
                               folderBox);
    explain->setWordWrap(true);
    for (QPushButton* button : {cmdAddFolder, cmdRemoveFolder})
        button->setAccessibleName(button->text().remove(QLatin1Char('&')));

    auto* folderGrid = new QGridLayout(folderBox);
    folderGrid->addWidget(explain, 0, 0, 1, 3);
    folderGrid->addWidget(lstFolders, 1, 0, 3, 2);
    folderGrid->addWidget(cmdAddFolder, 1, 2);
    folderGrid->addWidget(cmdRemoveFolder, 2, 2);
    folderGrid->addWidget(nameLabel, 4, 0);
    folderGrid->addWidget(txtName, 4, 1, 1, 2);
    folderGrid->addWidget(lblPresent, 5, 0, 1, 3);

    auto* learnBox = new QGroupBox(tr("Learning by heart"), this);
    learnBox->setAccessibleName(learnBox->title());
    spnRepeats = spinBox(1, RecitationOptions::kMaxRepeats, tr("Repeat each verse (times):"));
    spnPause =
        spinBox(0, RecitationOptions::kMaxPauseSeconds, tr("Pause between repetitions (seconds):"));
    chkNextSura = new QCheckBox(tr("At a sura's end, go on to the next sura"), learnBox);
    chkNextSura->setAccessibleName(chkNextSura->text());

    grpRange = new QGroupBox(tr("Repeat a range of verses"), learnBox);
    grpRange->setAccessibleName(grpRange->title());
    grpRange->setCheckable(true);
    spnFromSura = spinBox(1, 114, tr("From sura:"));
    spnFromVerse = spinBox(1, 286, tr("verse:"));
    spnToSura = spinBox(1, 114, tr("To sura:"));
    spnToVerse = spinBox(1, 286, tr("verse:"));
    spnRangeTimes = spinBox(0, 999, tr("Times:"));
    spnRangeTimes->setSpecialValueText(tr("without end"));
    auto* rangeGrid = new QGridLayout(grpRange);
    const auto addSpin = [rangeGrid](int row, int column, QSpinBox* box) {
        rangeGrid->addWidget(new QLabel(box->accessibleName()), row, column);
        rangeGrid->addWidget(box, row, column + 1);
    };
    addSpin(0, 0, spnFromSura);
    addSpin(0, 2, spnFromVerse);
    addSpin(1, 0, spnToSura);
    addSpin(1, 2, spnToVerse);
    addSpin(2, 0, spnRangeTimes);

    auto* learn = new QFormLayout(learnBox);
    learn->addRow(spnRepeats->accessibleName(), spnRepeats);
    learn->addRow(grpRange);
    learn->addRow(spnPause->accessibleName(), spnPause);
    learn->addRow(chkNextSura);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    cmdOK = buttons->button(QDialogButtonBox::Ok);

    auto* whole = new QVBoxLayout(this);
    whole->addWidget(folderBox, 1);
    whole->addWidget(learnBox);
    whole->addWidget(buttons);

    connect(cmdAddFolder, &QPushButton::clicked, this, [this] {
        const QString path = QFileDialog::getExistingDirectory(this, tr("Recitation folder"));
        if (!path.isEmpty())
            addFolder(path);
    });
    connect(cmdRemoveFolder, &QPushButton::clicked, this, &frmRecitation::removeFolder);
    connect(lstFolders, &QListWidget::currentRowChanged, this, &frmRecitation::folderChosen);
    connect(txtName, &QLineEdit::textEdited, this, [this](const QString& name) {
        const int row = lstFolders->currentRow();
        if (row < 0 || row >= folders_.size())
            return;
        folders_[row].name = name;
        lstFolders->item(row)->setText(name);
    });
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        store();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    resize(520, 520);
}

void frmRecitation::showFolders(int chosen) {
    lstFolders->clear();
    for (const NamedFolder& folder : folders_) {
        auto* item = new QListWidgetItem(folder.name, lstFolders);
        item->setToolTip(QDir::toNativeSeparators(folder.path));
    }
    lstFolders->setCurrentRow(chosen);
    folderChosen(chosen);
}

void frmRecitation::folderChosen(int row) {
    const bool valid = row >= 0 && row < folders_.size();
    txtName->setEnabled(valid);
    cmdRemoveFolder->setEnabled(valid);
    if (!valid) {
        txtName->clear();
        lblPresent->setText(tr("No folder is chosen."));
        return;
    }
    txtName->setText(folders_.at(row).name);
    // Checked when chosen: the reader sees at once whether the folder is
    // complete.
    const RecitationFolder folder(folders_.at(row).path);
    const QString where = QDir::toNativeSeparators(folder.path());
    if (!folder.exists()) {
        lblPresent->setText(tr("%1: the folder is not there.").arg(where));
        return;
    }
    // Only files that can play are counted: a folder of empty or broken
    // files would otherwise look complete.
    const RecitationFolder::Count count = folder.count(verseCount_);
    QString text = tr("%1: %2 of the %3 verses present.")
                       .arg(where)
                       .arg(count.playable)
                       .arg(RecitationFolder::kVerseTotal);
    if (count.unplayable == 1)
        text += QLatin1Char(' ') + tr("1 verse has a file that cannot be played (empty or "
                                      "not audio).");
    else if (count.unplayable > 1)
        text += QLatin1Char(' ') + tr("%1 verses have files that cannot be played (empty or "
                                      "not audio).")
                                       .arg(count.unplayable);
    lblPresent->setText(text);
}

void frmRecitation::addFolder(const QString& path) {
    const QString clean = QDir::cleanPath(path);
    QString name = QFileInfo(clean).fileName();
    if (name.isEmpty())
        name = clean;
    folders_.append({name, clean});
    showFolders(int(folders_.size()) - 1);
}

void frmRecitation::removeFolder() {
    const int row = lstFolders->currentRow();
    if (row < 0 || row >= folders_.size())
        return;
    folders_.removeAt(row);
    showFolders(std::min(row, int(folders_.size()) - 1));
}

RecitationOptions frmRecitation::options() const {
    RecitationOptions options;
    options.repeats = spnRepeats->value();
    options.rangeOn = grpRange->isChecked();
    options.rangeFrom = {spnFromSura->value(), spnFromVerse->value()};
    options.rangeTo = {spnToSura->value(), spnToVerse->value()};
    // A range typed the wrong way round is the same verses.
    if (options.rangeTo.sura < options.rangeFrom.sura ||
        (options.rangeTo.sura == options.rangeFrom.sura &&
         options.rangeTo.verse < options.rangeFrom.verse))
        std::swap(options.rangeFrom, options.rangeTo);
    options.rangeTimes = spnRangeTimes->value();
    options.pauseSeconds = spnPause->value();
    options.nextSura = chkNextSura->isChecked();
    return options;
}

void frmRecitation::store() {
    RecitationFolders::store(settings_, folders_, lstFolders->currentRow() + 1);
    options().store(settings_);
}
