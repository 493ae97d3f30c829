#pragma once
// The drawing vocabulary the components share with the drawing surface: pen styles, pen
// modes, brush styles and horizontal alignment, in the order the layouts store them.

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmXor, pmNotXor };
enum TBrushStyle { bsSolid, bsClear };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
