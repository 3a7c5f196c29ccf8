#include "Recitation.h"

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
    : QObject(parent), makePlayer_(std::move(makePlayer)), verseCount_(std::move(verseCount)) {
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

bool Recitation::play(const VersePlace& verse) {
    if (folder_.path().isEmpty()) {
        emit problem(tr("No recitation folder is chosen. Add one in the settings window "
                        "(Recitation...) and choose it."));
        return false;
    }
    if (!folder_.exists()) {
        stop();
        emit problem(tr("The recitation folder \"%1\" is not there. Choose another in the "
                        "settings window (Recitation...).")
                         .arg(folder_.path()));
        return false;
    }
    startSequence(verse, true);
    return true;
}

void Recitation::startSequence(const VersePlace& verse, bool withBasmala) {
    if (player_)
        player_->stop();
    pauseTimer_->stop();
    waiting_.reset();
    skipOnResume_ = false;
    const bool hasBasmala = !folder_.fileFor(VersePlace{1, 1}).isEmpty();
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
        const QString file = folder_.fileFor(step->basmala ? VersePlace{1, 1} : step->verse);
        if (file.isEmpty()) {
            qCInfo(lcRecitation) << "no file for" << labelOf(*step) << "in" << folder_.path();
            skipped(tr("No recitation file for %1; skipped.").arg(labelOf(*step)));
            if (state_ == State::Stopped)
                return;
            continue;
        }
        if (step->afterPause && options_.pauseSeconds > 0) {
            waiting_ = step;
            waitingFile_ = file;
            verse_ = step->verse;
            pauseTimer_->start(options_.pauseSeconds * msPerSecond_);
            return;
        }
        playStep(*step, file);
        return;
    }
    stop();
    emit note(tr("The recitation has ended."));
}

void Recitation::playStep(const RecitationStep& step, const QString& file) {
    if (!player_) {
        player_ = makePlayer_(this);
        connect(player_, &AudioPlayer::finished, this, &Recitation::onFinished,
                Qt::QueuedConnection);
        connect(player_, &AudioPlayer::failed, this, &Recitation::onFailed, Qt::QueuedConnection);
    }
    verse_ = step.verse;
    playingFile_ = file;
    player_->play(file);
    // After the file started: what follows may pause it at once.
    emit verseStarted(step.verse, step.basmala);
}

void Recitation::onFinished() {
    if (state_ != State::Playing || waiting_)
        return;
    skippedInRow_ = 0;
    playNext();
}

void Recitation::onFailed(const QString& reason) {
    if (state_ == State::Stopped || waiting_)
        return;
    qCInfo(lcRecitation) << "cannot play" << playingFile_ << reason;
    skipped(tr("The recitation file %1 could not be played; skipped.")
                .arg(QFileInfo(playingFile_).fileName()));
    if (state_ == State::Playing)
        playNext();
    else
        skipOnResume_ = true; // paused: the next verse waits for resume
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

void Recitation::pause() {
    if (state_ != State::Playing)
        return;
    if (waiting_)
        pauseTimer_->stop();
    else if (player_)
        player_->pause();
    setState(State::Paused);
}

void Recitation::resume() {
    if (state_ != State::Paused)
        return;
    setState(State::Playing);
    if (std::exchange(skipOnResume_, false)) {
        playNext();
    } else if (waiting_) {
        // The rest of the pause is let go: the reader asked for the verse.
        const RecitationStep step = *waiting_;
        waiting_.reset();
        playStep(step, waitingFile_);
    } else if (player_) {
        player_->resume();
    }
}

void Recitation::stop() {
    skipOnResume_ = false;
    pauseTimer_->stop();
    waiting_.reset();
    if (player_)
        player_->stop();
    verse_.reset();
    setState(State::Stopped);
}

void Recitation::step(int step) {
    if (state_ == State::Stopped || !verse_ || !sequence_)
        return;
    startSequence(sequence_->stepped(*verse_, step), false);
}
