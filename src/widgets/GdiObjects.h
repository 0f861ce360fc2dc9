#pragma once

#include <windows.h>

#include <functional>
#include <string>

// A COLORREF, or with the high bit set a system colour whose low byte is the
// COLOR_ index (0x8000000F is COLOR_BTNFACE).
using TColor = int32_t;
COLORREF ResolveColor(TColor color);

class TGraphicObject;
using TGraphicNotifyEvent = std::function<void(TGraphicObject* sender)>;

// Owners of one GDI handle each, rebuilt when a setting changes, for the
// native windows. Creation failures leave a null handle that selects nothing.
class TGraphicObject {
public:
  virtual ~TGraphicObject() = default;
  virtual void Assign(const TGraphicObject* source);
  void Changed();

  TGraphicNotifyEvent OnChange;
};

class TPen : public TGraphicObject {
public:
  TPen() = default;
  ~TPen() override;
  TPen(const TPen&) = delete;
  TPen& operator=(const TPen&) = delete;

  HPEN Handle() const { return handle_; }
  void SetHandle(HPEN handle);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Style() const { return style_; }
  void SetStyle(int style);
  int Width() const { return width_; }
  void SetWidth(int width);

private:
  void Rebuild();

  HPEN handle_ = nullptr;
  TColor color_ = 0;
  int style_ = PS_SOLID;
  int width_ = 0;
};

class TSolidBrush : public TGraphicObject {
public:
  TSolidBrush() = default;
  ~TSolidBrush() override;
  TSolidBrush(const TSolidBrush&) = delete;
  TSolidBrush& operator=(const TSolidBrush&) = delete;

  void Assign(const TGraphicObject* source) override;

  HBRUSH Handle() const { return handle_; }
  void SetHandle(HBRUSH handle);
  // System colours are stored resolved, so setting one again rebuilds.
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Style() const { return style_; }
  void SetStyle(int style);

private:
  void Replace(HBRUSH handle);

  HBRUSH handle_ = nullptr;
  TColor color_ = -1;
  int style_ = 0;
};

class TFont : public TGraphicObject {
public:
  TFont();
  ~TFont() override;
  TFont(const TFont&) = delete;
  TFont& operator=(const TFont&) = delete;

  void Assign(const TGraphicObject* source) override;

  HFONT Handle() const { return handle_; }
  void SetHandle(HFONT handle);
  int Size() const { return size_; }
  void SetSize(int size);
  const std::wstring& Name() const { return name_; }
  void SetName(const std::wstring& name);
  // Bit 0 bold, 1 italic, 2 underline, 3 strike-out.
  unsigned Style() const { return style_; }
  void SetStyle(unsigned style);
  TColor Color() const { return color_; }
  void SetColor(TColor color);

private:
  void Rebuild();

  HFONT handle_ = nullptr;
  int size_ = 8;
  std::wstring name_ = L"Tahoma";
  unsigned style_ = 0;
  TColor color_ = 0;
};

class TWinControl;

// A device context while a window paints; selects its font, brush and pen
// into it whenever they change. It does not own the context.
class TCanvas {
public:
  TCanvas();
  virtual ~TCanvas() = default;
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;

  virtual void Changed();

  HDC Handle() const { return handle_; }
  void SetHandle(HDC handle) { handle_ = handle; }
  TWinControl* Control = nullptr;
  TFont& Font() { return font_; }
  TSolidBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }

  std::function<void(TCanvas* sender)> OnChange;

private:
  HDC handle_ = nullptr;
  TFont font_;
  TSolidBrush brush_;
  TPen pen_;
};
