#pragma once

#include <QString>

// The addresses and the notice shown in the about box, kept in one place.
// Until the project has its own site they point under example.org.
namespace AboutLinks {
inline const QString kNetworkSite = QStringLiteral("miravel.example.org");
inline const QString kWebSite = QStringLiteral("https://www.example.org/");
inline const QString kContactPage = QStringLiteral("www.example.org/contact/");
inline const QString kNotice = QStringLiteral("Free to read, print and share.");
// The text sources' credit; the Arabic text's licence asks for a link to
// its source.
inline const QString kCredits =
    QStringLiteral("Qur'an text: Tanzil Project, CC BY 3.0 \u2022 English: M. M. Pickthall "
                   "(1930)");
inline const QString kCreditsLink = QStringLiteral("https://tanzil.net/");
} // namespace AboutLinks
