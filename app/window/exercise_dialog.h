// The dialog of Exercise > New: the kind of framework, its size (at most kMostExerciseArguments
// arguments, so that it can be labeled by hand), the seed and the semantics asked for. The kind's
// parameters are its defaults (an attack chance of 0.25 for Erdos-Renyi, denser than the
// generator's default, for a few arguments). OK is enabled only while the framework can be made
// and is small enough; the reason shows below the fields otherwise.
#pragma once

#include <QDialog>

#include "exact/exact_engine.h"
#include "formats/generators.h"

class QComboBox;
class QDialogButtonBox;
class QLabel;
class QSpinBox;

namespace dialectic {

inline constexpr int kMostExerciseArguments = 12;

class ExerciseDialog : public QDialog {
  Q_OBJECT

 public:
  ExerciseDialog(const GeneratorRecipe& start, exact::Semantics semantics,
                 QWidget* parent = nullptr);

  GeneratorRecipe Recipe() const;
  exact::Semantics Semantics() const;

 private:
  void Validate();

  QComboBox* kind_;
  QSpinBox* count_;
  QSpinBox* seed_;
  QComboBox* semantics_;
  QLabel* error_;
  QDialogButtonBox* buttons_;
  GeneratorRecipe start_;
};

// The parameters of the kind in an exercise: its defaults, with the Erdos-Renyi chance at 0.25.
std::vector<double> ExerciseParameters(const std::string& kind);

}  // namespace dialectic
