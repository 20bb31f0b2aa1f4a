#pragma once

#include <string>

namespace kalvor {

class Environment;

/// The editor's two list menu items: a range of one of the lists L1 … L6 to the clipboard as
/// text (a column or a row of numbers), and numbers from the clipboard into a list. Asks and
/// tells through the environment's Host; remembers the last export answer.
class ListClipboard {
public:
    /// `userDecimalPoint` is the separator of the person's own locale, used on export only.
    ListClipboard(Environment& env, char userDecimalPoint);

    void exportList();
    void importList();

private:
    Environment& m_env;
    char m_decimalPoint;
    std::string m_exportAnswer = "L1;1;100;kolom";
};

}  // namespace kalvor
