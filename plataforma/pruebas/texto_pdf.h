// Texto de un PDF como lo leen un buscador o un lector de PDF: el que saca
// pdftotext (poppler-utils), en UTF-8.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

// Nada si pdftotext no está o no pudo leer el fichero.
inline std::optional<std::string> texto_pdf(const std::filesystem::path& pdf)
{
    if (std::system("command -v pdftotext >/dev/null 2>&1") != 0) return std::nullopt;
    std::string ruta;
    for (char c : pdf.string()) ruta += c == '\'' ? std::string("'\\''") : std::string(1, c);
    std::FILE* p = ::popen(("pdftotext -enc UTF-8 '" + ruta + "' - 2>/dev/null").c_str(), "r");
    if (!p) return std::nullopt;
    std::string texto;
    char trozo[4096];
    for (std::size_t n; (n = std::fread(trozo, 1, sizeof trozo, p)) > 0;) texto.append(trozo, n);
    if (::pclose(p) != 0) return std::nullopt;
    return texto;
}
