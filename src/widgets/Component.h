#pragma once

#include <string>
#include <vector>

// The run time's component: an owner frees the components it owns.
class TComponent {
public:
  explicit TComponent(TComponent* owner);
  virtual ~TComponent();
  TComponent(const TComponent&) = delete;
  TComponent& operator=(const TComponent&) = delete;

  TComponent* Owner() const { return owner_; }
  int ComponentCount() const { return static_cast<int>(components_.size()); }
  TComponent* Component(int index) const { return components_.at(index); }

  std::wstring Name;
  intptr_t Tag = 0;

private:
  TComponent* owner_;
  std::vector<TComponent*> components_;
};
