#include "sml/sml_printer.h"

#include "core/print_file.h"

namespace kelmod::sml {

namespace {

// Labels of the text members by field code, in print order.
struct Label {
  int32_t code;
  const char* text;
};
constexpr Label kLabels[] = {
    {1, "Name..........."},  {2, "Bezeichnung...."}, {3, "Kennz. obligat."},
    {4, "Kennz. ererbt.."},  {5, "Kennz. bewertet"}, {6, "Datentyp......."},
    {7, "Kennz.Einzelwrt"},  {8, "Kennz.Intervall"}, {9, "Kennz.zus.Werte"},
    {12, "Kennz. Vorzeich"}, {13, "Exponent Bild.."}, {14, "Exponent Darst."},
    {15, "Schablone......"}, {16, "Kennz.Kleinschr"}, {17, "Masseinheit...."},
    {18, "Dinkenbuchstabe"}, {19, "Dokumentart...."}, {20, "Dokumentnummer."},
    {21, "Teildokument..."}, {22, "Dokumentversion"}, {23, "Kennz.Sicht0..."},
    {24, "Kennz.Sicht1..."}, {25, "Kennz.Sicht2..."}, {26, "Kennz.Sicht3..."},
    {27, "Kennz.Sicht4..."}, {28, "Kennz.Sicht5..."}, {29, "Kennz.Sicht6..."},
    {30, "Kennz.Sicht7..."}, {31, "Kennz.Sicht8..."}, {32, "Kennz.Sicht9..."},
};

}  // namespace

void PrintSmlK4Table(const SmlK4Table& table, const char* path) {
  PrintFile file(path);
  if (!file) return;
  int32_t number = 0;
  for (const SmlCharacteristic& record : table) {
    std::fprintf(file.get(), "\nSachmerkmal-Nummer: [%08d]\n", ++number);
    std::fputs(kPrintRule, file.get());
    for (const Label& label : kLabels) {
      const std::optional<std::string>& text = record.texts[static_cast<std::size_t>(label.code) - 1];
      if (text) std::fprintf(file.get(), "%s: %s\n", label.text, text->c_str());
    }
    if (record.digits > 0) std::fprintf(file.get(), "Anzahl Stellen.: %d\n", record.digits);
    if (record.decimals > 0) std::fprintf(file.get(), "Dezimalstellen.: %d\n", record.decimals);
    for (std::size_t i = 0; i < record.values.size(); ++i) {
      const std::string text(record.values.text(i));
      std::fprintf(file.get(), "Wert.%06d.: %s\n", record.values.number(i), text.c_str());
    }
  }
}

}  // namespace kelmod::sml
