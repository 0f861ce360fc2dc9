#include "widgets/Component.h"

#include <algorithm>

TComponent::TComponent(TComponent* owner) : owner_(owner) {
  if (owner_)
    owner_->components_.push_back(this);
}

// Owned components go last-created first, each leaving this list as it dies.
TComponent::~TComponent() {
  while (!components_.empty())
    delete components_.back();
  if (owner_) {
    auto& siblings = owner_->components_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
}
