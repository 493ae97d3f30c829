#pragma once
// The drawing vocabulary the components share with the drawing surface: pen styles, pen
// modes, brush styles, horizontal alignment, colour schemes and frame looks, in the order
// the layouts store them.

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };
enum TPenMode { pmCopy, pmXor, pmNotXor };
enum TBrushStyle { bsSolid, bsClear };
enum TAlignment { taLeftJustify, taRightJustify, taCenter };
enum TColorScheme { csBWG, csSystem };
enum TFrameStyle { fsNone, fsSimple, fsLowered, fsRaised, fsEmbossed, fsEngraved };
