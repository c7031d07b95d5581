#include "layout/LCharStream.h"

#include <cstring>

LCharStream::LCharStream(const char* text) : m_data(text ? text : ""), m_length(text ? std::strlen(text) : 0) {}
