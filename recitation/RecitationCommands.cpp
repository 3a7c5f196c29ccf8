#include "RecitationCommands.h"

#include "AppContext.h"
#include "frmRecitation.h"
#include "MediaAudioPlayer.h"
#include "QuranReader.h"
#include "ReadingView.h"
#include "Recitation.h"
#include "RecitationFolders.h"
#include "RecitationFollower.h"

#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

namespace {
constexpr int kNoteMs = 5000;
}

RecitationCommands::RecitationCommands(AppContext& context, QuranReader& reader, ReadingView& view,
                                       QWidget* mainWindow)
    : QObject(mainWindow), context_(context), reader_(reader), view_(view),
      mainWindow_(mainWindow) {
    const auto verseCount = [&reader](int sura) { return reader.verseCount(sura); };
    recitation_ =
        new Recitation([](QObject* parent) -> AudioPlayer* { return new MediaAudioPlayer(parent); },
                       verseCount, this);
    follower_ = new RecitationFollower(reader_, view_, this);
    connect(recitation_, &Recitation::verseStarted, follower_,
            [this](const VersePlace& verse) { follower_->follow(verse); });
    connect(recitation_, &Recitation::stateChanged, this, [this](Recitation::State state) {
        if (state == Recitation::State::Stopped)
            follower_->reset();
    });
    connect(recitation_, &Recitation::note, this, &RecitationCommands::showNote);
    connect(recitation_, &Recitation::problem, this, &RecitationCommands::showProblem);
}

VersePlace RecitationCommands::startingVerse() const {
    if (const auto current = view_.currentVerse())
        return *current;
    if (const auto top = reader_.placeOnScreen())
        return *top;
    if (const int sura = reader_.selectedSura(); sura > 0)
        return VersePlace{sura, 1};
    return VersePlace{1, 1};
}

void RecitationCommands::playFromCurrent() {
    const VersePlace verse = startingVerse();
    if (recitation_->state() == Recitation::State::Paused && recitation_->verse() == verse) {
        recitation_->resume();
        return;
    }
    playFrom(verse);
}

void RecitationCommands::playFrom(const VersePlace& verse) {
    recitation_->setFolder(RecitationFolders::chosenPath(context_.settings()));
    recitation_->setOptions(RecitationOptions::read(context_.settings()));
    follower_->reset();
    recitation_->play(verse);
}

void RecitationCommands::togglePause() {
    if (recitation_->state() == Recitation::State::Paused)
        recitation_->resume();
    else
        recitation_->pause();
}

void RecitationCommands::stop() {
    recitation_->stop();
}

void RecitationCommands::step(int step) {
    follower_->followNext();
    recitation_->step(step);
}

void RecitationCommands::openSettings() {
    // Shown without a loop of its own, like the problem box that may open it.
    auto* window = new frmRecitation(
        context_.settings(), [this](int sura) { return reader_.verseCount(sura); }, mainWindow_);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->open();
}

void RecitationCommands::showNote(const QString& text) {
    if (auto* main = qobject_cast<QMainWindow*>(mainWindow_.data()))
        main->statusBar()->showMessage(text, kNoteMs);
}

// Every problem is the folder's (none chosen, gone, nothing in it plays):
// the box offers the way to the settings where another is chosen.
void RecitationCommands::showProblem(const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Information, tr("Recitation"), text, QMessageBox::Ok,
                                mainWindow_);
    box->setAttribute(Qt::WA_DeleteOnClose);
    QPushButton* settings = box->addButton(tr("Recitation &settings..."), QMessageBox::AcceptRole);
    settings->setAccessibleName(settings->text().remove(QLatin1Char('&')));
    box->setDefaultButton(QMessageBox::Ok);
    connect(box, &QMessageBox::finished, this, [this, box, settings] {
        if (box->clickedButton() == settings)
            openSettings();
    });
    box->open();
}
