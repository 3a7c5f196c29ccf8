#include "ArabicWord.h"

using namespace Arabic;

namespace {

bool isBaseLetter(char16_t c) {
    return (c >= Hamza && c <= 0x063A) || (c >= 0x0641 && c <= Yeh) || c == AlefWasla;
}

// Farsi and Urdu forms that sometimes stand for the Arabic letters.
char16_t normalisedLetter(char16_t c) {
    switch (c) {
    case AlefWasla:
        return Alef;
    case 0x06CC: // Farsi yeh
        return Yeh;
    case 0x06A9: // keheh
        return Kaf;
    default:
        return c;
    }
}

bool applyMark(ArabicLetter& letter, char16_t c) {
    switch (c) {
    case 0x064B:
        letter.vowel = Vowel::FathaTan;
        return true;
    case 0x064C:
        letter.vowel = Vowel::DammaTan;
        return true;
    case 0x064D:
        letter.vowel = Vowel::KasraTan;
        return true;
    case 0x064E:
        letter.vowel = Vowel::Fatha;
        return true;
    case 0x064F:
        letter.vowel = Vowel::Damma;
        return true;
    case 0x0650:
        letter.vowel = Vowel::Kasra;
        return true;
    case 0x0651:
        letter.shadda = true;
        return true;
    case 0x0652:
        letter.vowel = Vowel::Sukun;
        return true;
    case 0x0670:
        letter.superscriptAlef = true;
        return true;
    default:
        return false;
    }
}

bool isPrefixLetter(const ArabicLetter& l) {
    const bool shortVowel = l.vowel == Vowel::Fatha || l.vowel == Vowel::Kasra;
    switch (l.base) {
    case Waw:
    case Feh:
    case Beh:
    case Kaf:
    case Lam:
    case Teh:
    case AlefHamzaAbove:
        return shortVowel;
    default:
        return false;
    }
}

// Doubled letters that follow an alif of connection: the t of the verb
// forms V, VI and VIII assimilates into them (ittaqā, iddāra'a, iṭṭala`a),
// and the relative pronouns spell the article and their own lam as one
// doubled lam (alladhī). After a prefix, an alif followed by one of them
// doubled is an alif of connection, not a long ā as in kāffah.
bool assimilatesAfterWasl(char16_t c) {
    switch (c) {
    case Lam:
    case Teh:
    case Theh:
    case Dal:
    case Thal:
    case Zain:
    case Seen:
    case Sheen:
    case Sad:
    case Dad:
    case Tah:
    case Zah:
        return true;
    default:
        return false;
    }
}

} // namespace

ArabicWord::ArabicWord(const QString& token) {
    for (const QChar ch : token) {
        const char16_t c = ch.unicode();
        if (isBaseLetter(c) || c == 0x06CC || c == 0x06A9) {
            ArabicLetter letter;
            letter.base = normalisedLetter(c);
            m_letters.append(letter);
        } else if (!m_letters.isEmpty()) {
            // Marks on a tatweel belong to the letter before it; pause and
            // sajdah signs and anything unknown are not read.
            applyMark(m_letters.last(), c);
        }
    }
    m_prefix = findPrefixLength();
    m_wasl = findWasl();
    m_article = findArticle();
}

bool ArabicWord::isDisjointedLetters() const {
    static const QString disjointed = QStringLiteral("الرمصكهيعطسحقن");
    if (m_letters.isEmpty())
        return false;
    for (const ArabicLetter& l : m_letters) {
        if (!l.bare() || !disjointed.contains(QChar(l.base)))
            return false;
    }
    return true;
}

qsizetype ArabicWord::findPrefixLength() const {
    qsizetype n = 0;
    while (n < size() && isPrefixLetter(at(n)) && (n == 0 || !at(n).shadda))
        ++n;
    return n;
}

bool ArabicWord::startsWithArticle() const {
    if (m_wasl < 0)
        return false;
    return m_article == m_wasl + 1 || (has(m_wasl + 1, Lam) && at(m_wasl + 1).shadda);
}

qsizetype ArabicWord::findWasl() const {
    if (size() > 1 && at(0).is(Alef) && at(0).bare())
        return 0;
    const qsizetype k = m_prefix;
    if (k == 0 || k + 2 >= size() || !at(k).is(Alef) || !at(k).bare())
        return -1;
    // A long ā is never followed by a vowelless consonant inside the word.
    const ArabicLetter& next = at(k + 1);
    if (next.vowel == Vowel::Sukun || next.bare())
        return k;
    if (next.shadda && assimilatesAfterWasl(next.base))
        return k;
    return -1;
}

qsizetype ArabicWord::findArticle() const {
    qsizetype lam = -1;
    if (m_wasl >= 0)
        lam = m_wasl + 1; // al-, wal-, bil-
    else if (m_prefix > 0 && at(m_prefix - 1).is(Lam))
        lam = m_prefix; // lil-, lal-: the alif is not written
    if (!has(lam, Lam) || lam + 1 >= size())
        return -1;
    const ArabicLetter& l = at(lam);
    if (l.vowel == Vowel::Sukun)
        return lam;
    if (l.bare() && at(lam + 1).shadda)
        return lam;
    return -1;
}

bool ArabicWord::isNameOfGodLam(qsizetype i) const {
    if (!has(i, Lam) || !has(i - 1, Lam) || !has(i + 1, Heh))
        return false;
    const ArabicLetter& l = at(i);
    const Vowel hehVowel = at(i + 1).vowel;
    return l.shadda && l.vowel == Vowel::Fatha && hehVowel != Vowel::Sukun &&
           hehVowel != Vowel::None;
}

bool ArabicWord::articleJoinsLam() const {
    const qsizetype lam = m_article + 1;
    if (m_article < 0 || !has(lam, Lam))
        return false;
    if (isNameOfGodLam(lam))
        return true;
    if (has(lam + 1, Thal) || has(lam + 1, Teh))
        return true; // alladhī, alladhīna, allatī, alladhāni
    return has(lam + 1, Alef) && (has(lam + 2, Teh) || has(lam + 2, YehHamza)); // allātī, allā'ī
}

bool ArabicWord::isSilentWaw(qsizetype i) const {
    if (!has(i, Waw) || !at(i).bare() || !has(i - 1, AlefHamzaAbove) || !has(i + 1, Lam))
        return false;
    if (at(i - 1).vowel != Vowel::Damma || (m_article >= 0 && m_article == i - 2))
        return false; // al-ūlā keeps its long ū
    const ArabicLetter& lam = at(i + 1);
    if (lam.superscriptAlef)
        return true; // ulā'ika
    if (lam.vowel == Vowel::Kasra && has(i + 2, Yeh))
        return true; // ulī
    if (lam.vowel == Vowel::Damma && has(i + 2, Waw))
        return true; // ulū
    // ulā'i, ulāt; but ūlāhum, ūlāhumā ("the first of them") are read long.
    return lam.vowel == Vowel::Fatha && has(i + 2, Alef) && (has(i + 3, Hamza) || has(i + 3, Teh));
}
