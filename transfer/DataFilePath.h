#pragma once
#include <string>

// How the file dialogs offer phrase data files.
constexpr char kDataFileExtension[] = "Sorrow";
constexpr char kDataFileFilter[] = "Sorrowline 3.0 Files|*.Sorrow||";

// The path to export to: one that ends in exactly ".Sor" (a dialog may cut
// the default extension to three letters) gets the rest of ".Sorrow";
// anything else, ".SOR" in capitals included, stays as chosen.
std::string CompleteExportPath(const std::string& path);
