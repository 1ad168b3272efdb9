#include "view/trianzoid_view.h"

int CTrianzoidView::s_nLastColumn = 0;
int CTrianzoidView::s_nLastRow = 0;

CTrianzoidView::CTrianzoidView(CTrianzoidDoc& doc, Platform& platform, Clock& clock)
    : m_doc(doc), m_platform(platform), m_clock(clock) {}

CTrianzoidView::~CTrianzoidView() = default;
