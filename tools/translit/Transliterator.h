#pragma once

#include <QString>

// Rule-based English transliteration of fully vowelled Arabic Qur'an text
// (the common "Simple" spelling: base letters, harakat, shadda, sukun,
// superscript alef, tatweel, pause and sajdah signs).
//
// Romanisation:
//   consonants  b t th j ḥ kh d dh r z s sh ṣ ḍ ṭ ẓ ` (ayn) gh f q k l m n h w y;
//               hamza is ' (not written at the start of a word or after al-);
//               a doubled letter (shadda) is written twice: rabbi, ash-shamsi.
//   vowels      a i u; long ā ī ū (macrons) from alif, alif maqsura,
//               superscript alef, yā' and wāw; diphthongs ay, aw.
//   tanween     -an, -in, -un; a silent alif or alif maqsura after -an is
//               dropped (kufuwan, hudan).
//   ta marbuta  t with its vowel inside a verse (aṣ-ṣalāta), h at the end.
//   article     al- before moon letters (al-qamaru), assimilated before sun
//               letters (ash-shamsu); allāh, alladhīna, allatī unhyphenated.
//   wasl        a verse's first word keeps the vowel of the alif of
//               connection (al-ḥamdu, ihdinā, unẓur); inside a verse it is
//               elided and the words stay apart (bismi llāhi r-raḥmāni,
//               rabbi l-`ālamīna); after tanween a joining i is added
//               (khayrani l-waṣiyyatu).
//   prefixes    wa, fa, bi, li, ka, la are joined to their word (walam,
//               bil-ghaybi, lillāhi, wash-shamsi).
//   pause       the last word of a verse is read in pause: a final short
//               vowel and -un/-in fall, -an becomes ā, ta marbuta becomes
//               h (ar-raḥīm, aḥad, hudā, jannah). Pause signs inside a verse
//               are not read as stops.
//   letters     the disjoined letters that open some suras are spelt by
//               name, capitalised: Alif Lām Mīm, Ṭā Hā, Ḥā Mīm.
//   not marked  the lengthening of the pronoun -hu/-hi (lahu, not lahū),
//               the shortening of a long vowel before a joined word
//               (fī l-arḍi), and nasal assimilation at word boundaries
//               (min rabbihim; a shadda on a word's first letter is ignored).
// Everything else is lower case. The output holds only ASCII and Latin
// letters with diacritics.
class Transliterator {
public:
    static QString transliterate(const QString& arabicVerse);
};
