#include "widgets/byte_text_combo_box.h"

#include <algorithm>

#include "widgets/display_text.h"

namespace thermalyx {

namespace {

constexpr int kBytesRole = Qt::UserRole;

unsigned char folded(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return (byte >= 'A' && byte <= 'Z') ? static_cast<unsigned char>(byte - 'A' + 'a') : byte;
}

}  // namespace

bool sortsBefore(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [](char x, char y) { return folded(x) < folded(y); });
}

ByteTextComboBox::ByteTextComboBox(QWidget* parent) : QComboBox(parent) {
    setMaxVisibleItems(16);
}

int ByteTextComboBox::addEntry(std::string_view bytes) {
    // After every entry that is not greater, so equal texts keep their order.
    int index = count();
    for (int i = 0; i < count(); ++i) {
        if (sortsBefore(bytes, entryBytes(i))) {
            index = i;
            break;
        }
    }
    const int selected = currentIndex();
    insertItem(index, displayText(bytes),
               QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    // A list without selection stays without one.
    if (selected < 0) {
        setCurrentIndex(-1);
    }
    return index;
}

void ByteTextComboBox::clearEntries() {
    clear();
    setCurrentIndex(-1);
}

std::string ByteTextComboBox::entryBytes(int index) const {
    const QByteArray bytes = itemData(index, kBytesRole).toByteArray();
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

std::string ByteTextComboBox::selectedBytes() const {
    const int index = currentIndex();
    return index < 0 ? std::string() : entryBytes(index);
}

bool ByteTextComboBox::selectBytes(std::string_view bytes) {
    for (int i = 0; i < count(); ++i) {
        if (entryBytes(i) == bytes) {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

}  // namespace thermalyx
