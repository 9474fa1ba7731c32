#pragma once

// Why rows of data give no table that fits the canvas.
// TooMuchData, TooManyRows, TooManyFields and TooManyLines: the data could
// not give a table that fits the largest canvas; reading stops there, before
// it costs more. TooLarge: the table does not fit this canvas.
enum class TableProblem {
    None,
    NoFields,
    UnterminatedQuote,
    TooLarge,
    TooMuchData,
    TooManyRows,
    TooManyFields,
    TooManyLines
};

struct CTableProblem {
    TableProblem m_kind = TableProblem::None;
    // UnterminatedQuote: the text line where the quoted field starts; the
    // TooMany kinds: the text line where the data passed the limit.
    int m_nLine = 0;
    // TooLarge: the size the table needs and the canvas it did not fit.
    int m_nNeedColumns = 0, m_nNeedLines = 0;
    int m_nColumns = 0, m_nLines = 0;
};
