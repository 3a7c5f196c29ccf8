#pragma once

#include <QList>
#include <QString>

namespace Arabic {

// The letters and marks of the fully vowelled Qur'an text that the
// transliterator reads.
enum : char16_t {
    Hamza = 0x0621,
    AlefMadda = 0x0622,
    AlefHamzaAbove = 0x0623,
    WawHamza = 0x0624,
    AlefHamzaBelow = 0x0625,
    YehHamza = 0x0626,
    Alef = 0x0627,
    Beh = 0x0628,
    TehMarbuta = 0x0629,
    Teh = 0x062A,
    Theh = 0x062B,
    Dal = 0x062F,
    Thal = 0x0630,
    Zain = 0x0632,
    Seen = 0x0633,
    Sheen = 0x0634,
    Sad = 0x0635,
    Dad = 0x0636,
    Tah = 0x0637,
    Zah = 0x0638,
    Feh = 0x0641,
    Kaf = 0x0643,
    Lam = 0x0644,
    Heh = 0x0647,
    Waw = 0x0648,
    AlefMaksura = 0x0649,
    Yeh = 0x064A,
    Tatweel = 0x0640,
    AlefWasla = 0x0671,
};

} // namespace Arabic

enum class Vowel { None, Fatha, Damma, Kasra, FathaTan, DammaTan, KasraTan, Sukun };

// One base letter with the marks written on it.
struct ArabicLetter {
    char16_t base = 0;
    Vowel vowel = Vowel::None;
    bool shadda = false;
    bool superscriptAlef = false;

    bool bare() const { return vowel == Vowel::None && !shadda && !superscriptAlef; }
    bool is(char16_t c) const { return base == c; }
    bool hasTanween() const {
        return vowel == Vowel::FathaTan || vowel == Vowel::DammaTan || vowel == Vowel::KasraTan;
    }
};

// A written word cut into letters, with the places that the spelling rules
// need: the silent alif of connection (hamzat al-wasl) and the article's lam.
class ArabicWord {
public:
    explicit ArabicWord(const QString& token);

    const QList<ArabicLetter>& letters() const { return m_letters; }
    qsizetype size() const { return m_letters.size(); }
    const ArabicLetter& at(qsizetype i) const { return m_letters.at(i); }
    bool has(qsizetype i, char16_t base) const { return i >= 0 && i < size() && at(i).is(base); }

    bool isEmpty() const { return m_letters.isEmpty(); }
    // Letters written without any mark: the disjoined letters that open some suras.
    bool isDisjointedLetters() const;

    // Index of the alif of connection, or -1.
    qsizetype waslIndex() const { return m_wasl; }
    // Index of the article's lam (al-) when it is silent-vowelled or assimilated, or -1.
    qsizetype articleIndex() const { return m_article; }
    // True when the alif of connection belongs to the article (al-, alladhī).
    bool startsWithArticle() const;
    // Number of one-letter prefixes (wa, fa, bi, ka, li, la, ta, a-) at the start.
    qsizetype prefixLength() const { return m_prefix; }

    // True for the doubled lam of the name of God (allāh, lillāh, billāh).
    bool isNameOfGodLam(qsizetype i) const;
    // True when the article's lam merges into a following lam with no break:
    // the name of God and the relative pronouns (alladhī, allatī, allā'ī).
    bool articleJoinsLam() const;
    // The waw of ulā'ika, ulū, ulī, ulāt, which is written but not read.
    bool isSilentWaw(qsizetype i) const;

private:
    qsizetype findPrefixLength() const;
    qsizetype findWasl() const;
    qsizetype findArticle() const;

    QList<ArabicLetter> m_letters;
    qsizetype m_prefix = 0;
    qsizetype m_wasl = -1;
    qsizetype m_article = -1;
};
