#pragma once

#include "graphics/GdiPlus.h"

#include <functional>
#include <memory>
#include <string>

class TGraphicObjectEx;
using TGraphicChangeEvent = std::function<void(TGraphicObjectEx* sender)>;

// The GDI+ drawing objects: each wrapper holds one GDI+ object, created with
// its defaults and updated at once by every property change. GDI+ status codes
// are not examined; a failed creation leaves a null object that draws nothing.
class TGraphicObjectEx {
public:
  virtual ~TGraphicObjectEx() = default;

  virtual void Changed();
  // Copies the settings of a source of the same class; ignores any other.
  virtual void Assign(const TGraphicObjectEx* source);

  TGraphicChangeEvent OnChange;
};

class TBrushEx : public TGraphicObjectEx {
public:
  virtual GpBrush* GetHandle() const { return nullptr; }
  int BrushType() const { return brushType_; }

private:
  int brushType_ = 0;
};

class TSolidBrushEx : public TBrushEx {
public:
  TSolidBrushEx();
  ~TSolidBrushEx() override;
  TSolidBrushEx(const TSolidBrushEx&) = delete;
  TSolidBrushEx& operator=(const TSolidBrushEx&) = delete;

  GpBrush* GetHandle() const override;
  void Assign(const TGraphicObjectEx* source) override;

  ARGB Color() const { return color_; }
  void SetColor(ARGB color);

private:
  void CreateHandle();
  void DestroyHandle();

  GpSolidFill* brush_ = nullptr;
  ARGB color_ = 0xFF808080;
};

class TPenEx : public TGraphicObjectEx {
public:
  TPenEx();
  ~TPenEx() override;
  TPenEx(const TPenEx&) = delete;
  TPenEx& operator=(const TPenEx&) = delete;

  void Assign(const TGraphicObjectEx* source) override;

  GpPen* Handle() const { return pen_; }
  ARGB Color() const { return color_; }
  void SetColor(ARGB color);
  float Width() const { return width_; }
  void SetWidth(float width);
  Gdiplus::DashStyle Style() const { return style_; }
  void SetStyle(Gdiplus::DashStyle style);

private:
  void CreateHandle();
  void DestroyHandle();

  GpPen* pen_ = nullptr;
  ARGB color_ = 0xFF000000;
  float width_ = 1.0f;
  Gdiplus::DashStyle style_ = Gdiplus::DashStyleSolid;
};

class TStringFormatEx : public TGraphicObjectEx {
public:
  TStringFormatEx();
  ~TStringFormatEx() override;
  TStringFormatEx(const TStringFormatEx&) = delete;
  TStringFormatEx& operator=(const TStringFormatEx&) = delete;

  void Assign(const TGraphicObjectEx* source) override;

  GpStringFormat* Handle() const { return format_; }
  INT FormatFlags() const { return formatFlags_; }
  void SetFormatFlags(INT flags);
  Gdiplus::StringAlignment Alignment() const { return alignment_; }
  void SetAlignment(Gdiplus::StringAlignment alignment);
  Gdiplus::HotkeyPrefix HotkeyPrefix() const { return hotkeyPrefix_; }
  void SetHotkeyPrefix(Gdiplus::HotkeyPrefix prefix);
  Gdiplus::StringAlignment LineAlignment() const { return lineAlignment_; }
  void SetLineAlignment(Gdiplus::StringAlignment alignment);
  Gdiplus::StringTrimming Trimming() const { return trimming_; }
  void SetTrimming(Gdiplus::StringTrimming trimming);

private:
  GpStringFormat* format_ = nullptr;
  INT formatFlags_ = 0;
  Gdiplus::StringAlignment alignment_ = Gdiplus::StringAlignmentNear;
  Gdiplus::HotkeyPrefix hotkeyPrefix_ = Gdiplus::HotkeyPrefixNone;
  Gdiplus::StringAlignment lineAlignment_ = Gdiplus::StringAlignmentNear;
  Gdiplus::StringTrimming trimming_ = Gdiplus::StringTrimmingCharacter;
};

class TFontEx : public TGraphicObjectEx {
public:
  TFontEx();
  ~TFontEx() override;
  TFontEx(const TFontEx&) = delete;
  TFontEx& operator=(const TFontEx&) = delete;

  void Assign(const TGraphicObjectEx* source) override;

  GpFont* Handle() const { return font_; }
  GpSolidFill* Brush() const { return brush_; }
  TStringFormatEx& Format() const { return *format_; }

  // Opaque colours are kept at alpha 254, so text is never drawn fully opaque.
  ARGB Color() const { return color_; }
  void SetColor(ARGB color);
  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name);
  int Size() const { return size_; }
  void SetSize(int size);
  INT Style() const { return style_; }
  void SetStyle(INT style);

private:
  void CreateHandle();
  void DestroyHandle();
  void Recreate();

  GpFont* font_ = nullptr;
  ARGB color_ = 0xFE000000;
  std::wstring name_ = L"Arial";
  int size_ = 10;
  INT style_ = Gdiplus::FontStyleRegular;
  GpSolidFill* brush_ = nullptr;
  std::unique_ptr<TStringFormatEx> format_;
};

// The colour a font keeps for a requested one.
ARGB FontColor(ARGB color);
