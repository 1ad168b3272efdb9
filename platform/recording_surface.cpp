#include "platform/recording_surface.h"

void RecordingSurface::fillRect(const Rect& rect, Rgb colour) {
    if (m_bRecording) fills.push_back({rect, colour});
}

void RecordingSurface::triangle(const Point (&vertices)[3], Rgb fill, bool outline) {
    if (m_bRecording) triangles.push_back({{vertices[0], vertices[1], vertices[2]}, fill, outline});
}

void RecordingSurface::line(Point from, Point to) {
    if (m_bRecording) lines.push_back({from, to});
}

void RecordingSurface::setPixel(Point at, Rgb colour) {
    if (m_bRecording) pixels.push_back({at, colour});
}

void RecordingSurface::clear() {
    fills.clear();
    triangles.clear();
    lines.clear();
    pixels.clear();
}
