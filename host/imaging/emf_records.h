#pragma once

#include <QtGlobal>

// Record types and the signature of the enhanced metafile format, shared by its reader and
// writer.
namespace host::imaging::emf {

constexpr quint32 EmrHeader = 1;
constexpr quint32 EmrEof = 14;
constexpr quint32 EmrBitBlt = 76;
constexpr quint32 EmrStretchBlt = 77;
constexpr quint32 EmrSetDiBitsToDevice = 80;
constexpr quint32 EmrStretchDiBits = 81;
constexpr quint32 EmfSignature = 0x464D4520; // " EMF"

} // namespace host::imaging::emf
