#include "platform/svg_surface.h"

#include <cstdio>

namespace {

void appendColour(std::string& out, Rgb colour) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", colour.r, colour.g, colour.b);
    out += text;
}

void appendInt(std::string& out, int value) {
    out += std::to_string(value);
}

// A pixel's centre: the window's pen covers the pixel right and below the point it is given.
void appendCentre(std::string& out, int value) {
    appendInt(out, value);
    out += ".5";
}

}  // namespace

std::string xmlEscaped(const std::string& text) {
    std::string out;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        switch (c) {
            case '&':
                out += "&amp;";
                break;
            case '<':
                out += "&lt;";
                break;
            case '>':
                out += "&gt;";
                break;
            case '"':
                out += "&quot;";
                break;
            case '\'':
                out += "&apos;";
                break;
            default:
                if (byte >= 0x80)
                    out += "&#" + std::to_string(byte) + ";";
                else if (byte < 0x20 || byte == 0x7f)
                    out += '?';
                else
                    out += c;
        }
    }
    return out;
}

SvgSurface::SvgSurface(std::string& out, int width, int height) : m_out(out) {
    m_out.clear();
    m_out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"";
    appendInt(m_out, width);
    m_out += "\" height=\"";
    appendInt(m_out, height);
    m_out += "\" viewBox=\"0 0 ";
    appendInt(m_out, width);
    m_out += ' ';
    appendInt(m_out, height);
    m_out += "\" shape-rendering=\"crispEdges\">\n";
}

void SvgSurface::fillRect(const Rect& rect, Rgb colour) {
    m_out += "<rect x=\"";
    appendInt(m_out, rect.left);
    m_out += "\" y=\"";
    appendInt(m_out, rect.top);
    m_out += "\" width=\"";
    appendInt(m_out, rect.width());
    m_out += "\" height=\"";
    appendInt(m_out, rect.height());
    m_out += "\" fill=\"";
    appendColour(m_out, colour);
    m_out += "\"/>\n";
}

void SvgSurface::triangle(const Point (&vertices)[3], Rgb fill, bool outline) {
    m_out += "<polygon points=\"";
    for (int i = 0; i < 3; ++i) {
        if (i > 0) m_out += ' ';
        appendInt(m_out, vertices[i].x);
        m_out += ',';
        appendInt(m_out, vertices[i].y);
    }
    m_out += "\" fill=\"";
    appendColour(m_out, fill);
    m_out += outline ? "\" stroke=\"#000000\" stroke-width=\"1\"/>\n" : "\"/>\n";
}

void SvgSurface::line(Point from, Point to) {
    m_out += "<line x1=\"";
    appendCentre(m_out, from.x);
    m_out += "\" y1=\"";
    appendCentre(m_out, from.y);
    m_out += "\" x2=\"";
    appendCentre(m_out, to.x);
    m_out += "\" y2=\"";
    appendCentre(m_out, to.y);
    m_out += "\" stroke=\"#000000\" stroke-width=\"1\"/>\n";
}

void SvgSurface::setPixel(Point at, Rgb colour) {
    fillRect(Rect{at.x, at.y, at.x + 1, at.y + 1}, colour);
}

void SvgSurface::beginGroup(const std::string& label) {
    const std::string text = xmlEscaped(label);
    m_out += "<g data-label=\"" + text + "\"><title>" + text + "</title>\n";
    ++m_nOpenGroups;
}

void SvgSurface::endGroup() {
    if (m_nOpenGroups == 0) return;
    --m_nOpenGroups;
    m_out += "</g>\n";
}

void SvgSurface::finish() {
    while (m_nOpenGroups > 0) endGroup();
    m_out += "</svg>\n";
}
