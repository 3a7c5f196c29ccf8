#include "RecitationFollower.h"

#include "BrowserView.h"
#include "PageScript.h"
#include "QuranReader.h"
#include "ReadingView.h"

#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineScript>

namespace {

// Answers [whether the verse `last` is on screen, whether the verse `next`
// is on the page]; a verse is the stretch from the label before it to its
// own label.  With `move`, and the verse before on screen, a next verse
// whose label is out of view is scrolled to the top.
const char kFollow[] = R"JS(
(function (last, next, move) {
  var labels = document.querySelectorAll('body > p.A1');
  function find(text) {
    for (var i = 0; i < labels.length; ++i)
      if (labels[i].textContent.trim() === text) return i;
    return -1;
  }
  function top(i) { return i > 0 ? labels[i - 1].getBoundingClientRect().bottom : 0; }
  var height = window.innerHeight;
  var l = find(last), n = find(next);
  var lastOnScreen = l >= 0 && top(l) < height && labels[l].getBoundingClientRect().bottom > 0;
  if (n >= 0 && (move || lastOnScreen)) {
    var box = labels[n].getBoundingClientRect();
    if (box.top < 0 || box.bottom > height) window.scrollBy(0, top(n));
  }
  return [lastOnScreen, n >= 0];
})(%1, %2, %3)
)JS";

} // namespace

RecitationFollower::RecitationFollower(QuranReader& reader, ReadingView& view, QObject* parent)
    : QObject(parent), reader_(reader), view_(view) {
    connect(&reader_, &QuranReader::suraShown, this, [this](int sura) { shownSura_ = sura; });
    connect(&reader_, &QuranReader::startPageShown, this, [this] { shownSura_ = 0; });
}

void RecitationFollower::reset() {
    last_.reset();
    pending_.reset();
    forced_ = true;
    ++generation_;
}

void RecitationFollower::follow(const VersePlace& verse) {
    if (composing_) {
        pending_ = verse;
        return;
    }
    const QString last = last_ ? last_->label() : QString();
    // The scripts run in order: the next verse's asks about this one, after
    // this one's scrolling, whether or not its answer is still wanted.
    last_ = verse;
    const bool move = forced_;
    forced_ = false;
    const quint64 generation = ++generation_;
    const QString script = QString::fromLatin1(kFollow).arg(
        PageScript::literal(last), PageScript::literal(verse.label()),
        move ? QStringLiteral("true") : QStringLiteral("false"));
    // Asked without waiting, so the page never holds up the recitation.
    reader_.view()->page()->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                          [self = QPointer<RecitationFollower>(this), verse, move,
                                           generation](const QVariant& answer) {
                                              // Out of the engine's callback first: the page cannot
                                              // be composed or scripted from inside it.
                                              QMetaObject::invokeMethod(
                                                  self.data(),
                                                  [self, verse, move, generation, answer] {
                                                      if (self)
                                                          self->answered(verse, move, generation,
                                                                         answer.toList());
                                                  },
                                                  Qt::QueuedConnection);
                                          });
}

void RecitationFollower::answered(const VersePlace& verse, bool moved, quint64 generation,
                                  const QVariantList& answer) {
    if (generation != generation_)
        return; // a newer verse has started meanwhile
    const bool lastOnScreen = moved || (answer.size() == 2 && answer.at(0).toBool());
    const bool onPage = answer.size() == 2 && answer.at(1).toBool() && shownSura_ == verse.sura;
    settle(verse, lastOnScreen, onPage);
}

void RecitationFollower::settle(const VersePlace& verse, bool lastOnScreen, bool onPage) {
    if (onPage) {
        view_.setCurrentVerse(verse);
        if (lastOnScreen)
            emit followed(verse);
        return;
    }
    if (!lastOnScreen)
        return;
    // The sura goes on in the next one: its page is composed for the verse.
    composing_ = true;
    view_.goToVerse(verse);
    composing_ = false;
    emit followed(verse);
    if (const auto waiting = std::exchange(pending_, std::nullopt)) {
        forced_ = true; // the page was just placed for the recitation
        follow(*waiting);
    }
}
