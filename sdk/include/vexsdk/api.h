// Export macros and the plain value types shared by every host interface.
#pragma once
#include <cstdint>

#ifdef VEXSDK_BUILD_CORE
#define CORE_API __declspec(dllexport)
#else
#define CORE_API __declspec(dllimport)
#endif
#ifdef VEXSDK_BUILD_UTIL
#define UTIL_API __declspec(dllexport)
#else
#define UTIL_API __declspec(dllimport)
#endif
#ifdef VEXSDK_BUILD_GEOM
#define GEOM_API __declspec(dllexport)
#else
#define GEOM_API __declspec(dllimport)
#endif

using TimeValue = int;        // host time, in ticks
using SClass_ID = uint32_t;   // superclass id
using PartID = uint32_t;      // part mask of a change announcement
using RefMessage = uint32_t;  // message code of a change announcement
using RefResult = int;

constexpr RefResult REF_FAIL = 0;
constexpr RefResult REF_SUCCEED = 1;

constexpr TimeValue TIME_NegInfinity = static_cast<TimeValue>(0x80000000u);
constexpr TimeValue TIME_PosInfinity = 0x7FFFFFFF;
