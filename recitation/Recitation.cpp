#include "Recitation.h"

#include "CachedVerseCount.h"
#include "RecitationLog.h"

#include <QFileInfo>
#include <QTimer>

#include <utility>

namespace {

// More skips in a row than the Qur'an has files (each verse and each
// basmala): the folder has nothing to play for this order.
constexpr int kSkipLimit = RecitationFolder::kVerseTotal + 114;

QString labelOf(const RecitationStep& step) {
    return step.basmala ? QStringLiteral("the basmala of sura %1").arg(step.verse.sura)
                        : step.verse.label();
}

} // namespace

Recitation::Recitation(PlayerFactory makePlayer, RecitationSequence::VerseCount verseCount,
                       QObject* parent)
    : QObject(parent), makePlayer_(std::move(makePlayer)),
      verseCount_(CachedVerseCount(std::move(verseCount))) {
    pauseTimer_ = new QTimer(this);
    pauseTimer_->setSingleShot(true);
    connect(pauseTimer_, &QTimer::timeout, this, [this] {
        if (state_ != State::Playing || !waiting_)
            return;
        const RecitationStep step = *waiting_;
        waiting_.reset();
        playStep(step, waitingFile_);
    });
}

void Recitation::setState(State state) {
    if (state == state_)
        return;
    state_ = state;
    emit stateChanged(state);
}

QString Recitation::goneText() const {
    return tr("The recitation folder \"%1\" is not there. Choose another in the recitation "
              "settings.")
        .arg(folder_.path());
}

bool Recitation::play(const VersePlace& verse) {
    if (folder_.path().isEmpty()) {
        emit problem(tr("No recitation folder is chosen. Add one in the recitation settings and "
                        "choose it."));
        return false;
    }
    if (!folder_.exists()) {
        folderGone();
        return false;
    }
    startSequence(verse, true);
    return true;
}

void Recitation::makePlayer() {
    player_ = makePlayer_(this);
    // The player's news is handled once the call that caused it has returned
    // (what follows a verse's start may pause it at once), stamped with the
    // file it is about: the end of a file already left behind moves nothing.
    // That the file is over is known at once, so a pause that comes before
    // the news is handled does not reach a player with nothing to pause.
    connect(player_, &AudioPlayer::finished, this, [this] {
        const quint64 file = fileNumber_;
        fileOver_ = true;
        QMetaObject::invokeMethod(
            this,
            [this, file] {
                if (file == fileNumber_)
                    onFinished();
            },
            Qt::QueuedConnection);
    });
    connect(player_, &AudioPlayer::failed, this, [this](const QString& reason) {
        const quint64 file = fileNumber_;
        fileOver_ = true;
        QMetaObject::invokeMethod(
            this,
            [this, file, reason] {
                if (file == fileNumber_)
                    onFailed(reason);
            },
            Qt::QueuedConnection);
    });
}

void Recitation::startSequence(const VersePlace& verse, bool withBasmala) {
    if (player_)
        player_->stop();
    ++fileNumber_;
    pauseTimer_->stop();
    waiting_.reset();
    nextOnResume_ = false;
    const bool hasBasmala = folder_.find(VersePlace{1, 1}).playable;
    sequence_ = std::make_unique<RecitationSequence>(options_, verseCount_, hasBasmala);
    sequence_->start(verse, withBasmala);
    skippedInRow_ = 0;
    setState(State::Playing);
    playNext();
}

void Recitation::playNext() {
    if (state_ == State::Stopped || !sequence_)
        return;
    while (const auto step = sequence_->next()) {
        const RecitationFolder::VerseFile file =
            folder_.find(step->basmala ? VersePlace{1, 1} : step->verse);
        if (file.path.isEmpty()) {
            qCInfo(lcRecitation) << "no file for" << labelOf(*step) << "in" << folder_.path();
            skipStep(*step, tr("No recitation file for %1; skipped.").arg(labelOf(*step)));
        } else if (!file.playable) {
            // Not handed to the player: an empty or foreign file would cost
            // a media pipeline to find out what its first bytes tell.
            qCInfo(lcRecitation) << "cannot play" << file.path << "(empty or not audio)";
            skipStep(*step, tr("The recitation file %1 could not be played; skipped.")
                                .arg(QFileInfo(file.path).fileName()));
        } else if (step->afterPause && options_.pauseSeconds > 0) {
            waiting_ = step;
            waitingFile_ = file.path;
            verse_ = step->verse;
            pauseTimer_->start(options_.pauseSeconds * msPerSecond_);
            return;
        } else {
            playStep(*step, file.path);
            return;
        }
        if (state_ == State::Stopped)
            return;
    }
    stop();
    emit note(tr("The recitation has ended."));
}

void Recitation::playStep(const RecitationStep& step, const QString& file) {
    if (!player_)
        makePlayer();
    verse_ = step.verse;
    playingStep_ = step;
    playingFile_ = file;
    ++fileNumber_;
    fileOver_ = false;
    player_->play(file);
    // After the file started: what follows may pause it at once.
    emit verseStarted(step.verse, step.basmala);
}

void Recitation::onFinished() {
    if (state_ == State::Stopped || waiting_)
        return;
    skippedInRow_ = 0;
    if (state_ == State::Paused) {
        // The file ended just as the pause came: the next verse waits for
        // resume.
        nextOnResume_ = true;
        return;
    }
    playNext();
}

void Recitation::onFailed(const QString& reason) {
    if (state_ == State::Stopped || waiting_)
        return;
    qCInfo(lcRecitation) << "cannot play" << playingFile_ << reason;
    skipStep(playingStep_, tr("The recitation file %1 could not be played; skipped.")
                               .arg(QFileInfo(playingFile_).fileName()));
    if (state_ == State::Playing)
        playNext();
    else if (state_ == State::Paused)
        nextOnResume_ = true; // the next verse waits for resume
}

void Recitation::skipStep(const RecitationStep& step, const QString& text) {
    // A folder taken away while playing: every later verse would be missing.
    if (!folder_.exists()) {
        folderGone();
        return;
    }
    if (!step.basmala && sequence_)
        sequence_->passVerse();
    skipped(text);
}

void Recitation::skipped(const QString& text) {
    emit note(text);
    if (++skippedInRow_ <= kSkipLimit)
        return;
    const QString path = folder_.path();
    stop();
    emit problem(
        tr("The recitation folder \"%1\" has no file that plays for these verses.").arg(path));
}

void Recitation::folderGone() {
    qCInfo(lcRecitation) << "the recitation folder is gone:" << folder_.path();
    stop();
    emit problem(goneText());
}

void Recitation::pause() {
    if (state_ != State::Playing)
        return;
    if (waiting_)
        pauseTimer_->stop();
    else if (player_ && !fileOver_)
        player_->pause();
    setState(State::Paused);
}

void Recitation::resume() {
    if (state_ != State::Paused)
        return;
    setState(State::Playing);
    if (std::exchange(nextOnResume_, false)) {
        playNext();
    } else if (waiting_) {
        // The rest of the pause is let go: the reader asked for the verse.
        const RecitationStep step = *waiting_;
        waiting_.reset();
        playStep(step, waitingFile_);
    } else if (player_ && !fileOver_) {
        player_->resume();
    }
}

void Recitation::stop() {
    nextOnResume_ = false;
    pauseTimer_->stop();
    waiting_.reset();
    if (player_)
        player_->stop();
    ++fileNumber_;
    verse_.reset();
    setState(State::Stopped);
}

void Recitation::step(int step) {
    if (state_ == State::Stopped || !verse_ || !sequence_)
        return;
    startSequence(sequence_->stepped(*verse_, step), false);
}
