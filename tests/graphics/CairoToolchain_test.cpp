#include <cairo-win32.h>
#include <cairo.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>

// The cross-built cairo links and composites premultiplied pixels into a DIB.
TEST(CairoToolchain, DibSurfaceHoldsPremultipliedPixels) {
  cairo_surface_t* surface = cairo_win32_surface_create_with_dib(CAIRO_FORMAT_ARGB32, 3, 2);
  ASSERT_EQ(cairo_surface_status(surface), CAIRO_STATUS_SUCCESS);
  ASSERT_NE(cairo_win32_surface_get_dc(surface), nullptr);

  cairo_t* context = cairo_create(surface);
  cairo_set_source_rgba(context, 1.0, 0.0, 0.0, 0.5);
  cairo_set_operator(context, CAIRO_OPERATOR_SOURCE);
  cairo_paint(context);
  cairo_destroy(context);
  cairo_surface_flush(surface);

  cairo_surface_t* image = cairo_win32_surface_get_image(surface);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(cairo_image_surface_get_width(image), 3);
  EXPECT_EQ(cairo_image_surface_get_stride(image), 12);
  uint32_t pixel = 0;
  std::memcpy(&pixel, cairo_image_surface_get_data(image) + 12 + 8, 4);
  EXPECT_EQ(pixel, 0x80800000u) << "half-transparent red, premultiplied";
  cairo_surface_destroy(surface);
}
