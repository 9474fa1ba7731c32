#pragma once

// Why rows of data give no table that fits the canvas.
enum class TableProblem { None, NoFields, UnterminatedQuote, TooLarge };

struct CTableProblem {
    TableProblem m_kind = TableProblem::None;
    int m_nLine = 0; // UnterminatedQuote: the text line where the quoted field starts
    // TooLarge: the size the table needs and the canvas it did not fit.
    int m_nNeedColumns = 0, m_nNeedLines = 0;
    int m_nColumns = 0, m_nLines = 0;
};
