// The dialog of File > New Random Framework: the kind of framework, the number of arguments (of
// cycles for the cycle kinds), the kind's parameters and the seed. It only gathers the
// recipe; the window generates the theory from it. OK is enabled only while the
// recipe can be generated, and the reason shows below the fields otherwise.
#pragma once

#include <QDialog>
#include <array>

#include "formats/generators.h"

class QComboBox;
class QDialogButtonBox;
class QDoubleSpinBox;
class QLabel;
class QSpinBox;

namespace dialectic {

// A choice of every generator kind, by its description, each item holding the kind's name.
QComboBox* GeneratorKindChoice(QWidget* parent);

class RandomFrameworkDialog : public QDialog {
  Q_OBJECT

 public:
  // The fields start at the recipe, which GeneratorRecipeError accepts.
  explicit RandomFrameworkDialog(const GeneratorRecipe& start, QWidget* parent = nullptr);

  // The recipe that the fields give.
  GeneratorRecipe Recipe() const;

 private:
  // Shows the kind's parameters with their defaults, and hides the ones it does not take.
  void ShowKind(const GeneratorRecipe& recipe);
  // Shows why the fields cannot be generated, and enables OK when they can.
  void Validate();

  QComboBox* kind_;
  QLabel* count_label_;
  QSpinBox* count_;
  std::array<QLabel*, 2> parameter_labels_{};
  std::array<QDoubleSpinBox*, 2> parameters_{};
  QSpinBox* seed_;
  QLabel* error_;
  QDialogButtonBox* buttons_;
};

}  // namespace dialectic
