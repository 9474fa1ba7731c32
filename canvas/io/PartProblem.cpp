#include "canvas/io/PartProblem.h"

namespace {

std::string N(int value) {
    return std::to_string(value);
}

} // namespace

std::string DescribePartProblem(const CPartProblem& p) {
    switch (p.m_kind) {
    case EPartProblem::None:
        return std::string();
    case EPartProblem::NoSuchLine:
        return "ファイルは " + N(p.m_nFileLines) + " 行なので、" + N(p.m_nLine) +
               " 行目はありません。";
    case EPartProblem::Reversed:
        return "最後の行 (" + N(p.m_nLast) + ") が最初の行 (" + N(p.m_nFirst) + ") より前です。";
    case EPartProblem::TooLong:
        return "ｷｬﾝﾊﾞｽは 99 行までなので、" + N(p.m_nLine) + " 行目から先は入りきりません。";
    case EPartProblem::TooWide:
        return N(p.m_nLine) + " 行目が 99 桁（半角 198 文字）より長いため、開けません。";
    case EPartProblem::TooLarge:
        return "ファイルが " + N(kMaxPartFileMiB) + " MiB より大きいため、一部を開けません。";
    case EPartProblem::ChangedOnDisk:
        return "開いた後でファイルがほかのプログラムによって変更されています。"
               "その変更を消さないよう、保存しませんでした。";
    case EPartProblem::FormatFixed:
        return "ファイルの一部を開いたｷｬﾝﾊﾞｽは、ファイルの文字コードと改行のまま保存します。";
    case EPartProblem::Io:
        return p.m_strMessage;
    }
    return std::string();
}

std::string DescribePartProblemEnglish(const CPartProblem& p) {
    switch (p.m_kind) {
    case EPartProblem::None:
        return std::string();
    case EPartProblem::NoSuchLine:
        return "the file has " + N(p.m_nFileLines) + " lines, so there is no line " + N(p.m_nLine);
    case EPartProblem::Reversed:
        return "the last line (" + N(p.m_nLast) + ") comes before the first (" + N(p.m_nFirst) +
               ")";
    case EPartProblem::TooLong:
        return "a canvas holds at most 99 lines, so line " + N(p.m_nLine) + " and after do not fit";
    case EPartProblem::TooWide:
        return "line " + N(p.m_nLine) + " is wider than 99 cells (198 half-width characters)";
    case EPartProblem::TooLarge:
        return "the file is larger than " + N(kMaxPartFileMiB) +
               " MiB, too large to open a part of";
    case EPartProblem::ChangedOnDisk:
        return "the file changed on disk after it was opened; nothing was written";
    case EPartProblem::FormatFixed:
        return "a part of a file is saved in the file's own encoding and line ends";
    case EPartProblem::Io:
        return p.m_strMessage;
    }
    return std::string();
}
