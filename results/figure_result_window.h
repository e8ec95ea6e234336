// A result window whose figures are listed in a table of rows, each read back
// by the figure it shows.
#pragma once

#include <QLabel>
#include <array>
#include <cstddef>
#include <string>

#include "results/figure_texts.h"
#include "results/result_window.h"

namespace thermalyx {

template <typename Figure, std::size_t Count>
class FigureResultWindow : public ResultWindow {
public:
    // One figure row: the figure, the id of its value box, its label, its
    // place (dialog units), the alignment of its value and its unit.
    struct Row {
        Figure figure;
        int id;
        const char* label;
        int y;
        Qt::Alignment alignment = Qt::AlignLeft;
        const char* unit = "(deg.)";
    };
    using Rows = std::array<Row, Count>;

    QString figureText(Figure figure) const { return figures_[figureIndex(figure)]->text(); }

protected:
    using ResultWindow::ResultWindow;

    // The rows in column, showing texts (in the figures' order).
    void placeFigures(const FigureColumn& column, const Rows& rows,
                      const std::array<std::string, Count>& texts) {
        for (const Row& row : rows) {
            figures_[figureIndex(row.figure)] =
                figureRow(column, row.label, row.unit, row.y, row.id,
                          texts[figureIndex(row.figure)], row.alignment);
        }
    }

private:
    std::array<QLabel*, Count> figures_{};
};

}  // namespace thermalyx
