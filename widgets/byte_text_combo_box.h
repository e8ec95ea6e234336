// A drop-down list of library texts.
//
// Each entry keeps the library's original bytes; lookups use those bytes, never
// the converted text on screen. The entries stay sorted like the platform's
// sorted lists: ASCII letters compared without case, other bytes as they are,
// equal texts in the order they were added.
#pragma once

#include <QComboBox>
#include <string>
#include <string_view>

namespace thermalyx {

// True when a sorts before b by the list's order.
bool sortsBefore(std::string_view a, std::string_view b);

class ByteTextComboBox : public QComboBox {
    Q_OBJECT

public:
    explicit ByteTextComboBox(QWidget* parent = nullptr);

    // Inserts at the entry's sorted place and returns its index.
    int addEntry(std::string_view bytes);
    // Removes every entry and the selection.
    void clearEntries();

    std::string entryBytes(int index) const;
    // The bytes of the selected entry, empty when nothing is selected.
    std::string selectedBytes() const;
    // Selects the first entry with exactly these bytes; false when there is none
    // (the selection is then left as it was).
    bool selectBytes(std::string_view bytes);
};

}  // namespace thermalyx
