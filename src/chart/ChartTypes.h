#pragma once
// The vocabulary of the charting subsystem: every enumeration the chart, the axis scales and
// their property objects share, with its values in the order the layouts store them. The
// colour scheme and the frame looks belong to the drawing vocabulary every control shares.

#include "platform/GraphicsTypes.h"

enum TBkgFill { bfSimple, bfStretch, bfTile };
enum TFigType { ftNoFigs, ftNum, ftTime, ftDateTime, ftUserText };
enum TScaleType { sctXB, sctXT, sctYL, sctYR };
enum TVerticalAlignment { vaTop, vaCenter, vaBottom };
enum TYearLength { ylNone, ylYY, ylYYYY };
enum TDateOrder { doMMDDYY, doDDMMYY, doYYMMDD };
enum TDateForTime { dtNone, dtOnePerChart, dtOnePerDay, dtAllTicks };
enum TShadowStyle { ssFlying, ssBox };
enum TTimeFormat { tfHHMMSS, tfHHhMM, tfAMPM };
enum TCrossHMode { chOff, chHoriz, chVert, chBoth };
enum TTxtLblAttachMode { tlamNone, tlamXOnly, tlamYOnly, tlamBoth };
enum TTxtLblMode { tlOff, tlsimple, tlBox, tlUnderline, tlShadow };
enum TMouseActMode {
    maNone,
    maPan,
    maPanHoriz,
    maPanVert,
    maRubberBand,
    maZoom,
    maZoomWind,
    maZoomWindPos,
    maZoomDrag,
    maDragCrossH,
    maDragLabel,
    maRotate,
    maRotAndZoom,
    maRotXOnly,
    maRotZOnly
};

// Carried by no published property, but part of the same vocabulary.
enum TDirection { dirUpward, dirDownward, dirLeftward, dirRightward };
enum TLanguage { lgUnknown, lgEnglish, lgGerman, lgFrench, lgSpanish };
enum TValueKind { rnum, dnum, snum, inum, lnum, bool_, strg };
enum TRubberBandState { msNormal, msFirstCorner, msRectDraw, msFinished };
enum TZoomState { zsNormal, zsDrawWin };
enum TBoxStyle { bbNone, bbFrame, bbFaces };

// The axis-scale unit and the chart unit.
enum TScaleUnitAnchor { uaSclTopLft, uaSclCenter, uaSclBotRgt };
enum TCaptionAnchorHoriz {
    cahControlLeft,
    cahChartLeft,
    cahChartCenter,
    cahChartRight,
    cahControlRight
};
enum TCaptionAnchorVert {
    cavControlTop,
    cavChartTop,
    cavChartCenter,
    cavChartBottom,
    cavControlBottom
};
enum TBGAreaMode { bamNone, bamLeft, bamRight, bamTop, bamBottom, bamVStripe, bamHStripe, bamRect };
enum TScaleLocationHoriz { slTop, slBottom };
enum TScaleLocationVert { slLeft, slRight };
enum GridStyleType {
    gsNone,
    gsPoints,
    gsVertLines,
    gsHorizLines,
    gsLines,
    gsHorizDotLines,
    gsVertDotLines,
    gsDotLines
};
enum TrcLayout {
    rcl_X1Bottom_Y1Left,
    rcl_X1Bottom_Y2Left,
    rcl_X1Bottom_Y3Left,
    rcl_X1Bottom_Y4Left,
    rcl_X1Bottom_Y2Both,
    rcl_X2Bottom_Y2Left,
    rcl_X2Both_Y2Both
};
enum TTextBkg { tbClear, tbSolid };

// Layers of a chart are numbered 1..16.
constexpr int MaxLayers = 16;
// The smallest value a logarithmic axis admits.
constexpr double MinLogValue = 1e-100;
