// How a helper stores itself: its class id, its chunks, and the 516-byte property record,
// stored byte for byte in scene files, so every offset, width and reserved gap here is a
// stored format. The plug-in and the map text library share this one definition.
#pragma once
#include <cstddef>
#include <cstdint>

// The class id every helper answers: that of the first descriptor.
constexpr uint32_t ENTITY_CLASS_ID_A = 0x41D53AFE;
constexpr uint32_t ENTITY_CLASS_ID_B = 0x616C0F57;

// Stored chunk ids, each holding one field's raw little-endian bytes.
constexpr uint16_t CHUNK_SHOW_AXIS = 0x0100;    // int32
constexpr uint16_t CHUNK_AXIS_LENGTH = 0x0110;  // float
constexpr uint16_t CHUNK_CLASSNAME = 0x0120;    // char[ENTITY_CLASSNAME_SIZE]
constexpr uint16_t CHUNK_PROPS = 0x0130;        // EntityProps
constexpr size_t ENTITY_CLASSNAME_SIZE = 80;

struct EntityProps {
    int32_t angle;            // 0
    uint8_t reserved4[4];     // 4
    int32_t damage;           // 8
    int32_t dontLink;         // 12
    uint8_t reserved16[8];    // 16
    int32_t goldKey;          // 24
    int32_t health;           // 28
    uint8_t reserved32[44];   // 32
    int32_t lip;              // 76
    uint8_t reserved80[92];   // 80
    char message[80];         // 172
    uint8_t reserved252[32];  // 252
    int32_t silverKey;        // 284
    int32_t sounds;           // 288: line of the sound list, -1 when none was selected
    int32_t lightFlags;       // 292: bit 0 set = the light starts off
    int32_t speed;            // 296
    int32_t lightStyle;       // 300
    int32_t startOpen;        // 304
    uint8_t reserved308[40];  // 308
    char targetName[32];      // 348
    int32_t toggle;           // 380
    int32_t wait;             // 384
    char keyValueText[128];   // 388: sixteen cells, each followed by '|'
};

constexpr int32_t LIGHT_FLAG_START_OFF = 1;
constexpr int LIGHT_STYLE_COUNT = 12;

static_assert(sizeof(EntityProps) == 516, "stored record size");
static_assert(offsetof(EntityProps, angle) == 0);
static_assert(offsetof(EntityProps, damage) == 8);
static_assert(offsetof(EntityProps, dontLink) == 12);
static_assert(offsetof(EntityProps, goldKey) == 24);
static_assert(offsetof(EntityProps, health) == 28);
static_assert(offsetof(EntityProps, lip) == 76);
static_assert(offsetof(EntityProps, message) == 172);
static_assert(offsetof(EntityProps, silverKey) == 284);
static_assert(offsetof(EntityProps, sounds) == 288);
static_assert(offsetof(EntityProps, lightFlags) == 292);
static_assert(offsetof(EntityProps, speed) == 296);
static_assert(offsetof(EntityProps, lightStyle) == 300);
static_assert(offsetof(EntityProps, startOpen) == 304);
static_assert(offsetof(EntityProps, targetName) == 348);
static_assert(offsetof(EntityProps, toggle) == 380);
static_assert(offsetof(EntityProps, wait) == 384);
static_assert(offsetof(EntityProps, keyValueText) == 388);
