#include "ColorNames.h"

#include <QHash>

TColor ParseColorName(const QString& name)
{
    static const QHash<QString, TColor> table = {
        {"clred", clRed}, {"clblack", clBlack}, {"clblue", clBlue}, {"clgreen", clGreen},
        {"claqua", clAqua}, {"clyellow", clYellow}, {"clfuchsia", clFuchsia}, {"clwhite", clWhite},
        {"cllime", clLime}, {"clsilver", clSilver}, {"clgray", clGray}, {"clolive", clOlive},
        {"clnavy", clNavy}, {"clpurple", clPurple}, {"clteal", clTeal}, {"clmaroon", clMaroon},
        {"clbackground", 0x80000001}, {"clactivecaption", 0x80000002},
        {"clinactivecaption", 0x80000003}, {"clmenu", 0x80000004}, {"clwindow", 0x80000005},
        {"clwindowframe", 0x80000006}, {"clmenutext", 0x80000007}, {"clwindowtext", 0x80000008},
        {"clcaptiontext", 0x80000009}, {"clactiveborder", 0x8000000A},
        {"clinactiveborder", 0x8000000B}, {"clappworkspace", 0x8000000C},
        {"clhighlight", 0x8000000D}, {"clhighlighttext", 0x8000000E}, {"clbtnface", 0x8000000F},
        {"clbtnshadow", 0x80000010}, {"clgraytext", 0x80000011}, {"clbtntext", 0x80000012},
        {"clinactivecaptiontext", 0x80000013}, {"clbtnhighlight", 0x80000014},
        {"cl3ddkshadow", 0x80000015}, {"cl3dlight", 0x80000016}, {"clinfotext", 0x80000017},
        {"clinfobk", 0x80000018},
    };
    return table.value(name.toLower(), clBlack);
}

namespace {

// A digit's value is its code - 48 below "A" and code - 55 from "A" on; the caller upper-cases.
int HexPair(const QString& pair)
{
    if (pair.size() < 2)
        return 0;
    auto digit = [](QChar c) { return c.unicode() < 'A' ? c.unicode() - 48 : c.unicode() - 55; };
    return (digit(pair[0]) * 16 + digit(pair[1])) & 0xFF;
}

} // namespace

TColor ParseHexColor(const QString& text)
{
    const qsizetype hash = text.indexOf(u'#');
    const QString digits = hash < 0 ? QString() : text.mid(hash + 1);
    return RGB(HexPair(digits.mid(0, 2)), HexPair(digits.mid(2, 2)), HexPair(digits.mid(4, 2)));
}
