#include "TransliterationFile.h"
#include "Transliterator.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace Qt::StringLiterals;

namespace {

QStringList readLines(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QString text = QString::fromUtf8(f.readAll());
    if (text.endsWith(u'\n'))
        text.chop(1);
    return text.split(u'\n');
}

QStringList commentLines(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines) {
        if (!l.startsWith(u'#'))
            break;
        out << l;
    }
    return out;
}

QStringList dataLines(const QStringList& lines) {
    QStringList out;
    for (const QString& l : lines) {
        if (!l.startsWith(u'#'))
            out << l;
    }
    return out;
}

// Every character must be plain ASCII or a Latin letter (with its diacritic).
QString firstForeignCharacter(const QString& s) {
    for (const QChar c : s) {
        if (c.unicode() < 0x80)
            continue;
        if (c.isLetter() && c.script() == QChar::Script_Latin)
            continue;
        return QString(c) + u" U+"_s + QString::number(c.unicode(), 16);
    }
    return {};
}

} // namespace

class TstTranslit : public QObject {
    Q_OBJECT

private slots:
    void verses_data();
    void verses();
    void textOddities_data();
    void textOddities();
    void generatesEveryVerse();
    void rejectsMalformedInput();
    void rejectsMissingInput();
};

void TstTranslit::verses_data() {
    QTest::addColumn<QString>("arabic");
    QTest::addColumn<QString>("expected");
    // The opening sura and sura 112, in full.
    QTest::newRow("1:1") << u"بِسْمِ اللَّهِ الرَّحْمَـٰنِ الرَّحِيمِ"_s << u"bismi llāhi r-raḥmāni r-raḥīm"_s;
    QTest::newRow("1:2") << u"الْحَمْدُ لِلَّهِ رَبِّ الْعَالَمِينَ"_s << u"al-ḥamdu lillāhi rabbi l-`ālamīn"_s;
    QTest::newRow("1:3") << u"الرَّحْمَـٰنِ الرَّحِيمِ"_s << u"ar-raḥmāni r-raḥīm"_s;
    QTest::newRow("1:4") << u"مَالِكِ يَوْمِ الدِّينِ"_s << u"māliki yawmi d-dīn"_s;
    QTest::newRow("1:5") << u"إِيَّاكَ نَعْبُدُ وَإِيَّاكَ نَسْتَعِينُ"_s << u"iyyāka na`budu wa'iyyāka nasta`īn"_s;
    QTest::newRow("1:6") << u"اهْدِنَا الصِّرَاطَ الْمُسْتَقِيمَ"_s << u"ihdinā ṣ-ṣirāṭa l-mustaqīm"_s;
    QTest::newRow("1:7")
        << u"صِرَاطَ الَّذِينَ أَنْعَمْتَ عَلَيْهِمْ غَيْرِ الْمَغْضُوبِ عَلَيْهِمْ وَلَا الضَّالِّينَ"_s
        << u"ṣirāṭa lladhīna an`amta `alayhim ghayri l-maghḍūbi `alayhim walā ḍ-ḍāllīn"_s;
    QTest::newRow("112:1") << u"قُلْ هُوَ اللَّهُ أَحَدٌ"_s << u"qul huwa llāhu aḥad"_s;
    QTest::newRow("112:2") << u"اللَّهُ الصَّمَدُ"_s << u"allāhu ṣ-ṣamad"_s;
    QTest::newRow("112:3") << u"لَمْ يَلِدْ وَلَمْ يُولَدْ"_s << u"lam yalid walam yūlad"_s;
    QTest::newRow("112:4") << u"وَلَمْ يَكُن لَّهُ كُفُوًا أَحَدٌ"_s << u"walam yakun lahu kufuwan aḥad"_s;
    // Article before sun and moon letters; hamza after the article.
    QTest::newRow("91:1") << u"وَالشَّمْسِ وَضُحَاهَا"_s << u"wash-shamsi waḍuḥāhā"_s;
    QTest::newRow("91:6") << u"وَالْأَرْضِ وَمَا طَحَاهَا"_s << u"wal-arḍi wamā ṭaḥāhā"_s;
    // Alif of connection: spoken at the start (i-, u-), elided inside a verse,
    // kept apart after prefixes; joining i after tanween.
    QTest::newRow("96:1") << u"اقْرَأْ بِاسْمِ رَبِّكَ الَّذِي خَلَقَ"_s << u"iqra' bismi rabbika lladhī khalaq"_s;
    QTest::newRow("4:50")
        << u"انظُرْ كَيْفَ يَفْتَرُونَ عَلَى اللَّهِ الْكَذِبَ ۖ وَكَفَىٰ بِهِ إِثْمًا مُّبِينًا"_s
        << u"unẓur kayfa yaftarūna `alā llāhi l-kadhiba wakafā bihi ithman mubīnā"_s;
    QTest::newRow("17:110")
        << u"قُلِ ادْعُوا اللَّهَ أَوِ ادْعُوا الرَّحْمَـٰنَ ۖ أَيًّا مَّا تَدْعُوا فَلَهُ الْأَسْمَاءُ الْحُسْنَىٰ ۚ وَلَا تَجْهَرْ بِصَلَاتِكَ وَلَا تُخَافِتْ بِهَا وَابْتَغِ بَيْنَ ذَٰلِكَ سَبِيلًا"_s
        << u"quli d`ū llāha awi d`ū r-raḥmāna ayyan mā tad`ū falahu l-asmā'u l-ḥusnā walā tajhar biṣalātika walā tukhāfit bihā wabtaghi bayna dhālika sabīlā"_s;
    QTest::newRow("2:4")
        << u"وَالَّذِينَ يُؤْمِنُونَ بِمَا أُنزِلَ إِلَيْكَ وَمَا أُنزِلَ مِن قَبْلِكَ وَبِالْآخِرَةِ هُمْ يُوقِنُونَ"_s
        << u"walladhīna yu'minūna bimā unzila ilayka wamā unzila min qablika wabil-ākhirati hum yūqinūn"_s;
    QTest::newRow("2:180")
        << u"كُتِبَ عَلَيْكُمْ إِذَا حَضَرَ أَحَدَكُمُ الْمَوْتُ إِن تَرَكَ خَيْرًا الْوَصِيَّةُ لِلْوَالِدَيْنِ وَالْأَقْرَبِينَ بِالْمَعْرُوفِ ۖ حَقًّا عَلَى الْمُتَّقِينَ"_s
        << u"kutiba `alaykum idhā ḥaḍara aḥadakumu l-mawtu in taraka khayrani l-waṣiyyatu lil-wālidayni wal-aqrabīna bil-ma`rūfi ḥaqqan `alā l-muttaqīn"_s;
    QTest::newRow("11:42")
        << u"وَهِيَ تَجْرِي بِهِمْ فِي مَوْجٍ كَالْجِبَالِ وَنَادَىٰ نُوحٌ ابْنَهُ وَكَانَ فِي مَعْزِلٍ يَا بُنَيَّ ارْكَب مَّعَنَا وَلَا تَكُن مَّعَ الْكَافِرِينَ"_s
        << u"wahiya tajrī bihim fī mawjin kal-jibāli wanādā nūḥuni bnahu wakāna fī ma`zilin yā bunayya rkab ma`anā walā takun ma`a l-kāfirīn"_s;
    // Ta marbuta inside a verse and at the end.
    QTest::newRow("96:15") << u"كَلَّا لَئِن لَّمْ يَنتَهِ لَنَسْفَعًا بِالنَّاصِيَةِ"_s
                           << u"kallā la'in lam yantahi lanasfa`an bin-nāṣiyah"_s;
    QTest::newRow("96:16") << u"نَاصِيَةٍ كَاذِبَةٍ خَاطِئَةٍ"_s << u"nāṣiyatin kādhibatin khāṭi'ah"_s;
    // Superscript alef (also after tatweel), alif maqsura, tanween on it, pause signs.
    QTest::newRow("2:2") << u"ذَٰلِكَ الْكِتَابُ لَا رَيْبَ ۛ فِيهِ ۛ هُدًى لِّلْمُتَّقِينَ"_s
                         << u"dhālika l-kitābu lā rayba fīhi hudan lil-muttaqīn"_s;
    QTest::newRow("2:5") << u"أُولَـٰئِكَ عَلَىٰ هُدًى مِّن رَّبِّهِمْ ۖ وَأُولَـٰئِكَ هُمُ الْمُفْلِحُونَ"_s
                         << u"ulā'ika `alā hudan min rabbihim wa'ulā'ika humu l-mufliḥūn"_s;
    QTest::newRow("3:2") << u"اللَّهُ لَا إِلَـٰهَ إِلَّا هُوَ الْحَيُّ الْقَيُّومُ"_s
                         << u"allāhu lā ilāha illā huwa l-ḥayyu l-qayyūm"_s;
    // Hamza forms; sajdah sign.
    QTest::newRow("2:6")
        << u"إِنَّ الَّذِينَ كَفَرُوا سَوَاءٌ عَلَيْهِمْ أَأَنذَرْتَهُمْ أَمْ لَمْ تُنذِرْهُمْ لَا يُؤْمِنُونَ"_s
        << u"inna lladhīna kafarū sawā'un `alayhim a'andhartahum am lam tundhirhum lā yu'minūn"_s;
    QTest::newRow("96:19") << u"كَلَّا لَا تُطِعْهُ وَاسْجُدْ وَاقْتَرِب ۩"_s
                           << u"kallā lā tuṭi`hu wasjud waqtarib"_s;
    QTest::newRow("7:206")
        << u"إِنَّ الَّذِينَ عِندَ رَبِّكَ لَا يَسْتَكْبِرُونَ عَنْ عِبَادَتِهِ وَيُسَبِّحُونَهُ وَلَهُ يَسْجُدُونَ ۩"_s
        << u"inna lladhīna `inda rabbika lā yastakbirūna `an `ibādatihi wayusabbiḥūnahu walahu yasjudūn"_s;
    // Disjoined letters, alone and before a word.
    QTest::newRow("2:1") << u"الم"_s << u"Alif Lām Mīm"_s;
    QTest::newRow("19:1") << u"كهيعص"_s << u"Kāf Hā Yā `Ayn Ṣād"_s;
    QTest::newRow("38:1") << u"ص ۚ وَالْقُرْآنِ ذِي الذِّكْرِ"_s << u"Ṣād wal-qur'āni dhī dh-dhikr"_s;
    QTest::newRow("42:2") << u"عسق"_s << u"`Ayn Sīn Qāf"_s;
}

void TstTranslit::verses() {
    QFETCH(QString, arabic);
    QFETCH(QString, expected);
    QCOMPARE(Transliterator::transliterate(arabic), expected);
}

void TstTranslit::textOddities_data() {
    QTest::addColumn<QString>("arabic");
    QTest::addColumn<QString>("expected");
    QTest::newRow("empty") << QString() << QString();
    QTest::newRow("only a pause sign") << u"ۚ"_s << QString();
    QTest::newRow("extra white space") << u"  قُلْ\tهُوَ اللَّهُ   أَحَدٌ "_s << u"qul huwa llāhu aḥad"_s;
    QTest::newRow("pause sign on a word") << u"رَيْبَۛ فِيهِ"_s << u"rayba fīh"_s;
    QTest::newRow("alef wasla") << u"ٱلْحَمْدُ لِلَّهِ"_s << u"al-ḥamdu lillāh"_s;
    QTest::newRow("latin passes as nothing") << u"abc"_s << QString();
}

void TstTranslit::textOddities() {
    QFETCH(QString, arabic);
    QFETCH(QString, expected);
    QCOMPARE(Transliterator::transliterate(arabic), expected);
}

void TstTranslit::generatesEveryVerse() {
    const QString source = QStringLiteral(MIRAVEL_ARABIC_TSV);
    if (!QFile::exists(source))
        QSKIP("the Arabic text is not in the source tree");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString out = dir.filePath(u"translit.tsv"_s);
    QString error;
    QVERIFY2(TransliterationFile::generate(source, out, &error), qPrintable(error));

    const QStringList input = readLines(source);
    const QStringList output = readLines(out);
    const QStringList inRows = dataLines(input);
    const QStringList outRows = dataLines(output);
    QCOMPARE(outRows.size(), 6236);
    QCOMPARE(outRows.size(), inRows.size());
    for (qsizetype i = 0; i < outRows.size(); ++i) {
        const QStringList in = inRows[i].split(u'\t');
        const QStringList got = outRows[i].split(u'\t');
        QCOMPARE(got.size(), 3);
        QCOMPARE(got[0], in[0]);
        QCOMPARE(got[1], in[1]);
        QVERIFY2(!got[2].isEmpty(), qPrintable(outRows[i]));
        const QString foreign = firstForeignCharacter(got[2]);
        QVERIFY2(foreign.isEmpty(), qPrintable(got[0] + u':' + got[1] + u' ' + foreign));
    }

    // The notice names the file as a generated derivative and carries the
    // source's copyright block line for line.
    const QStringList outComments = commentLines(output);
    const QString notice = outComments.join(u'\n');
    QVERIFY(notice.contains(u"generated transliteration"_s));
    QVERIFY(notice.contains(u"not the Tanzil text itself"_s));
    const QStringList block = TransliterationFile::copyrightBlock(commentLines(input));
    QVERIFY(block.first().contains(u"PLEASE DO NOT REMOVE OR CHANGE THIS COPYRIGHT BLOCK"_s));
    QVERIFY(block.size() > 20);
    const qsizetype at = outComments.indexOf(block.first());
    QVERIFY(at >= 0);
    QCOMPARE(outComments.mid(at, block.size()), block);
}

void TstTranslit::rejectsMalformedInput() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString in = dir.filePath(u"bad.tsv"_s);
    const QString out = dir.filePath(u"out.tsv"_s);
    QFile f(in);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(u"# header\n1\t1\tقُلْ\n1\tx\tهُوَ\n"_s.toUtf8());
    f.close();
    QString error;
    QVERIFY(!TransliterationFile::generate(in, out, &error));
    QVERIFY(error.contains(u":3:"_s));
    QVERIFY(!QFile::exists(out));
}

void TstTranslit::rejectsMissingInput() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString out = dir.filePath(u"out.tsv"_s);
    QString error;
    QVERIFY(!TransliterationFile::generate(dir.filePath(u"missing.tsv"_s), out, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(!QFile::exists(out));
}

QTEST_GUILESS_MAIN(TstTranslit)
#include "tst_translit.moc"
