// Mouse events that reach a scroll area itself rather than its viewport (sent
// straight to the widget, as test tools and accessibility clients do, or over
// its frame) are handled as if they had reached the viewport at that place.
#pragma once

class QAbstractScrollArea;
class QEvent;

// True when `event` was a mouse press, release, double-click or move for the
// area itself and was handed to its viewport in viewport coordinates.
bool ForwardMouseToViewport(QAbstractScrollArea& area, QEvent* event);
// Called from the area's viewportEvent after handling: a mouse event of the
// viewport counts as taken, so that Qt does not pass it up to the area, which
// would hand it to the viewport a second time.
void KeepMouseInViewport(QEvent* event);
