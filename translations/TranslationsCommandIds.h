#pragma once

// The commands that add a translation from a verse file and remove one.
namespace TranslationsCommandId {
enum : int {
    AddTranslation = 400,
    RemoveTranslation = 401,
};
}
