#pragma once

struct SubsystemHost;

// Puts "Add translation..." and "Remove translation..." into the File menu.
// Nothing is built or read until one of them is chosen.
void installTranslations(SubsystemHost& host);
