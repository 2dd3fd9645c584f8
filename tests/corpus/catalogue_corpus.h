// Real text for the repair's tests: the translations in the message catalogues
// that Debian's packages install (/usr/share/locale/LANG/LC_MESSAGES/*.mo),
// read with the shared .mo reader (tests/corpus/mo_catalog.h), split into lines.
#pragma once

#include <string>
#include <vector>

// The distinct non-empty lines of every catalogue of `language` (for example
// "th"), sorted; with `nonAsciiOnly`, only lines with a character beyond ASCII.
std::vector<std::string> CatalogueLines(const std::string& language, bool nonAsciiOnly);

// The lines of CatalogueLines("th") that hold Thai and nothing code page 874
// lacks: the text that every kind of garbling can carry.
std::vector<std::string> ThaiCorpus();

// Whether `line` is one of those the trigram table of the repair was not made
// from (scripts/make_thai_trigrams.py leaves out the lines whose FNV-1a hash
// is a multiple of 4), so that the repair can be measured on unseen text.
bool IsHeldOutLine(const std::string& line);
