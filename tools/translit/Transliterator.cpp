#include "Transliterator.h"

#include "ArabicWord.h"

#include <QList>
#include <QStringList>

using namespace Arabic;

namespace {

QString consonant(char16_t c) {
    switch (c) {
    case Hamza:
    case AlefHamzaAbove:
    case WawHamza:
    case AlefHamzaBelow:
    case YehHamza:
        return QStringLiteral("'");
    case Beh:
        return QStringLiteral("b");
    case TehMarbuta:
    case Teh:
        return QStringLiteral("t");
    case Theh:
        return QStringLiteral("th");
    case 0x062C:
        return QStringLiteral("j");
    case 0x062D:
        return QStringLiteral("ḥ");
    case 0x062E:
        return QStringLiteral("kh");
    case Dal:
        return QStringLiteral("d");
    case Thal:
        return QStringLiteral("dh");
    case 0x0631:
        return QStringLiteral("r");
    case Zain:
        return QStringLiteral("z");
    case Seen:
        return QStringLiteral("s");
    case Sheen:
        return QStringLiteral("sh");
    case Sad:
        return QStringLiteral("ṣ");
    case Dad:
        return QStringLiteral("ḍ");
    case Tah:
        return QStringLiteral("ṭ");
    case Zah:
        return QStringLiteral("ẓ");
    case 0x0639:
        return QStringLiteral("`");
    case 0x063A:
        return QStringLiteral("gh");
    case Feh:
        return QStringLiteral("f");
    case 0x0642:
        return QStringLiteral("q");
    case Kaf:
        return QStringLiteral("k");
    case Lam:
        return QStringLiteral("l");
    case 0x0645:
        return QStringLiteral("m");
    case 0x0646:
        return QStringLiteral("n");
    case Heh:
        return QStringLiteral("h");
    case Waw:
        return QStringLiteral("w");
    case Yeh:
        return QStringLiteral("y");
    default:
        return {};
    }
}

QString letterName(char16_t c) {
    switch (c) {
    case Alef:
        return QStringLiteral("Alif");
    case Lam:
        return QStringLiteral("Lām");
    case 0x0645:
        return QStringLiteral("Mīm");
    case Sad:
        return QStringLiteral("Ṣād");
    case 0x0631:
        return QStringLiteral("Rā");
    case Kaf:
        return QStringLiteral("Kāf");
    case Heh:
        return QStringLiteral("Hā");
    case Yeh:
        return QStringLiteral("Yā");
    case 0x0639:
        return QStringLiteral("`Ayn");
    case Tah:
        return QStringLiteral("Ṭā");
    case Seen:
        return QStringLiteral("Sīn");
    case 0x062D:
        return QStringLiteral("Ḥā");
    case 0x0642:
        return QStringLiteral("Qāf");
    case 0x0646:
        return QStringLiteral("Nūn");
    default:
        return {};
    }
}

bool isHamzaLetter(char16_t c) {
    return c == Hamza || c == AlefHamzaAbove || c == WawHamza || c == AlefHamzaBelow ||
           c == YehHamza || c == AlefMadda;
}

// Where the word sits in the verse.
struct WordPlace {
    bool utteranceStart = false; // nothing is read before it: the wasl vowel is spoken
    bool pause = false;          // the verse ends with it
    bool nextStartsWithWasl = false;
};

// Renders one word letter by letter.
class WordRenderer {
public:
    WordRenderer(const ArabicWord& word, WordPlace place)
        : m_word(word), m_place(place), m_consumed(word.size(), false) {}

    QString render() {
        m_lastVowelIndex = lastVowelIndex();
        for (qsizetype i = 0; i < m_word.size(); ++i) {
            if (!m_consumed[i])
                renderLetter(i);
        }
        return m_out;
    }

private:
    // The letter that carries the word's final vowel: a silent alif or alif
    // maqsura after tanween -an does not count.
    qsizetype lastVowelIndex() const {
        qsizetype last = m_word.size() - 1;
        const ArabicLetter& l = m_word.at(last);
        if (last > 0 && l.bare() && (l.is(Alef) || l.is(AlefMaksura)) &&
            m_word.at(last - 1).vowel == Vowel::FathaTan)
            --last;
        return last;
    }

    void renderLetter(qsizetype i) {
        const ArabicLetter& l = m_word.at(i);
        if (i == m_word.waslIndex()) {
            if (i == 0 && m_place.utteranceStart)
                m_out += waslVowel();
            return;
        }
        if (i == m_word.articleIndex()) {
            renderArticle(i);
            return;
        }
        switch (l.base) {
        case Alef:
            if (l.bare()) {
                renderBareAlef(i);
                return;
            }
            break;
        case AlefMaksura:
            if (!(i > 0 && m_word.at(i - 1).vowel == Vowel::FathaTan))
                m_out += QStringLiteral("ā");
            return;
        case Waw:
            if (l.bare() && m_word.isSilentWaw(i))
                return;
            break;
        case Yeh:
            if (l.bare() && m_word.has(i + 1, Yeh))
                return; // a doubled y written as two letters
            break;
        case AlefMadda:
            if (!atWordStart(i))
                m_out += QLatin1Char('\'');
            m_out += QStringLiteral("ā");
            return;
        default:
            break;
        }
        renderConsonant(i);
        renderVowel(i);
    }

    QString waslVowel() const {
        if (m_word.startsWithArticle())
            return QStringLiteral("a");
        // Verbs whose stem vowel is u take u (unẓur, ud`u), others i.
        return m_word.size() > 2 && m_word.at(2).vowel == Vowel::Damma ? QStringLiteral("u")
                                                                       : QStringLiteral("i");
    }

    void renderArticle(qsizetype i) {
        const ArabicLetter& l = m_word.at(i);
        if (l.vowel == Vowel::Sukun) {
            m_out += QStringLiteral("l-");
            return;
        }
        if (m_word.articleJoinsLam())
            return; // the doubled lam that follows is written ll
        // Sun letter: the lam takes the sound of the doubled letter.
        m_out += consonant(m_word.at(i + 1).base) + QLatin1Char('-');
        m_assimilated = i + 1;
    }

    void renderBareAlef(qsizetype i) {
        if (i == 0) {
            m_out += QStringLiteral("ā");
            return;
        }
        const ArabicLetter& prev = m_word.at(i - 1);
        // After -an it only carries the tanween; after i or u it is not read
        // (mi'atun, bil-); after a final wāw it marks a plural (qālū, ittaqaw).
        if (prev.vowel == Vowel::FathaTan || prev.vowel == Vowel::Kasra ||
            prev.vowel == Vowel::Damma)
            return;
        if (prev.is(Waw) && i == m_word.size() - 1)
            return;
        m_out += QStringLiteral("ā");
    }

    bool atWordStart(qsizetype i) const {
        return i == 0 || (m_word.articleIndex() >= 0 && i == m_word.articleIndex() + 1);
    }

    void renderConsonant(qsizetype i) {
        const ArabicLetter& l = m_word.at(i);
        if (isHamzaLetter(l.base) && atWordStart(i))
            return;
        QString c = consonant(l.base);
        if (l.is(TehMarbuta) && isPausal(i))
            c = QStringLiteral("h");
        m_out += c;
        // A shadda on a word's first letter marks assimilation across the
        // word boundary, which is not shown; after al- the article carries it.
        if (l.shadda && i > 0 && i != m_assimilated)
            m_out += c;
    }

    bool isPausal(qsizetype i) const { return m_place.pause && i == m_lastVowelIndex; }

    void renderVowel(qsizetype i) {
        const ArabicLetter& l = m_word.at(i);
        const bool pausal = isPausal(i);
        switch (l.vowel) {
        case Vowel::Fatha:
            if (lengthensFatha(i))
                m_out += QStringLiteral("ā");
            else if (!pausal)
                m_out += QLatin1Char('a');
            break;
        case Vowel::Kasra:
            if (nextIsBare(i, Yeh)) {
                m_consumed[i + 1] = true;
                m_out += QStringLiteral("ī");
            } else if (!pausal) {
                m_out += QLatin1Char('i');
            }
            break;
        case Vowel::Damma:
            if (nextIsBare(i, Waw) && !m_word.isSilentWaw(i + 1)) {
                m_consumed[i + 1] = true;
                m_out += QStringLiteral("ū");
            } else if (!pausal) {
                m_out += QLatin1Char('u');
            }
            break;
        case Vowel::FathaTan:
            if (pausal)
                m_out += l.is(TehMarbuta) ? QString() : QStringLiteral("ā");
            else
                m_out += QStringLiteral("an");
            break;
        case Vowel::DammaTan:
            if (!pausal)
                m_out += QStringLiteral("un");
            break;
        case Vowel::KasraTan:
            if (!pausal)
                m_out += QStringLiteral("in");
            break;
        case Vowel::Sukun:
        case Vowel::None:
            break;
        }
        // Tanween before an elided alif of connection: nūḥuni bnahu.
        if (l.hasTanween() && i == m_lastVowelIndex && !m_place.pause && m_place.nextStartsWithWasl)
            m_out += QLatin1Char('i');
    }

    bool nextIsBare(qsizetype i, char16_t base) const {
        return m_word.has(i + 1, base) && m_word.at(i + 1).bare();
    }

    bool lengthensFatha(qsizetype i) {
        if (m_word.at(i).superscriptAlef || m_word.isNameOfGodLam(i))
            return true;
        if (m_word.has(i + 1, AlefMaksura)) {
            m_consumed[i + 1] = true;
            return true;
        }
        if (nextIsBare(i, Alef) && i + 1 != m_word.waslIndex()) {
            m_consumed[i + 1] = true;
            return true;
        }
        return false;
    }

    const ArabicWord& m_word;
    WordPlace m_place;
    QList<bool> m_consumed;
    QString m_out;
    qsizetype m_lastVowelIndex = -1;
    qsizetype m_assimilated = -1;
};

QString disjointedLetters(const ArabicWord& word) {
    QStringList names;
    for (const ArabicLetter& l : word.letters())
        names << letterName(l.base);
    return names.join(QLatin1Char(' '));
}

} // namespace

QString Transliterator::transliterate(const QString& arabicVerse) {
    QList<ArabicWord> words;
    for (const QString& token :
         arabicVerse.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        ArabicWord word(token);
        if (!word.isEmpty())
            words.append(word);
    }
    QStringList out;
    bool utteranceStart = true;
    for (qsizetype i = 0; i < words.size(); ++i) {
        const ArabicWord& word = words.at(i);
        if (word.isDisjointedLetters()) {
            out << disjointedLetters(word);
            utteranceStart = true; // they are read apart from what follows
            continue;
        }
        WordPlace place;
        place.utteranceStart = utteranceStart;
        place.pause = i == words.size() - 1;
        place.nextStartsWithWasl = !place.pause && words.at(i + 1).waslIndex() == 0 &&
                                   !words.at(i + 1).isDisjointedLetters();
        out << WordRenderer(word, place).render();
        utteranceStart = false;
    }
    return out.join(QLatin1Char(' '));
}
