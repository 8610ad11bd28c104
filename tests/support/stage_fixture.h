#pragma once

#include <gtest/gtest.h>

#include <optional>

#include "app/run_state.h"
#include "app/settings.h"
#include "engine/bitmap.h"
#include "engine/format_catalogue.h"
#include "engine/stage.h"

// A stage's surroundings: the window program's default settings, a fresh run state and a built
// format catalogue. Tests change the settings they need before calling Context().
class StageTest : public testing::Test {
  protected:
    StageTest() {
        ApplyDefaultSettings(allSettings, false, std::nullopt, 0);
        catalogue.BuildFormatCatalogue();
    }
    StageContext Context() { return {settings, run, catalogue}; }

    Settings allSettings;
    ConversionSettings& settings = allSettings.conversion;
    RunState run;
    FormatCatalogue catalogue;
};

// A 24-bit pattern (see MakePatternBitmap) brought to any depth a stage may meet: 1 (threshold
// 128), 4 and 8 (grey palettes), 16 (5-6-5), 24, 32, 48 (RGB16) or 96 (RGBF).
Bitmap MakeBitmapOfDepth(int width, int height, int bitsPerPixel);
