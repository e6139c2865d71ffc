#include "app/window/exercise_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

#include "app/window/random_framework_dialog.h"
#include "frontend/practice.h"

namespace dialectic {

std::vector<double> ExerciseParameters(const std::string& kind) {
  std::vector<double> parameters;
  if (const std::optional<GeneratorKindInfo> info = GeneratorKindNamed(kind)) {
    for (const GeneratorParameter& parameter : info->parameters) {
      parameters.push_back(parameter.default_value);
    }
  }
  if (kind == "er" && !parameters.empty()) parameters[0] = 0.25;
  return parameters;
}

ExerciseDialog::ExerciseDialog(const GeneratorRecipe& start, exact::Semantics semantics,
                               QWidget* parent)
    : QDialog(parent), start_(start) {
  setObjectName(QStringLiteral("ExerciseDialog"));
  setWindowTitle(tr("New Exercise"));
  auto* form = new QFormLayout;
  kind_ = GeneratorKindChoice(this);
  kind_->setObjectName(QStringLiteral("ExerciseKind"));
  form->addRow(tr("&Kind:"), kind_);
  count_ = new QSpinBox(this);
  count_->setObjectName(QStringLiteral("ExerciseCount"));
  count_->setRange(1, kMostExerciseArguments);
  form->addRow(tr("&Size (arguments, or cycles):"), count_);
  seed_ = new QSpinBox(this);
  seed_->setObjectName(QStringLiteral("ExerciseSeed"));
  seed_->setRange(0, std::numeric_limits<int>::max());
  form->addRow(tr("S&eed:"), seed_);
  semantics_ = new QComboBox(this);
  semantics_->setObjectName(QStringLiteral("ExerciseDialogSemantics"));
  for (const exact::Semantics each : ExerciseSemanticsList()) {
    const std::string_view word = exact::SemanticsWord(each);
    semantics_->addItem(QString::fromUtf8(word.data(), static_cast<qsizetype>(word.size())),
                        static_cast<int>(each));
  }
  form->addRow(tr("Se&mantics:"), semantics_);
  error_ = new QLabel(this);
  error_->setObjectName(QStringLiteral("ExerciseError"));
  error_->setWordWrap(true);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(error_);
  layout->addWidget(buttons_);

  kind_->setCurrentIndex(std::max(0, kind_->findData(QString::fromStdString(start.kind))));
  count_->setValue(start.count);
  seed_->setValue(
      static_cast<int>(std::min<std::uint32_t>(start.seed, std::numeric_limits<int>::max())));
  semantics_->setCurrentIndex(std::max(0, semantics_->findData(static_cast<int>(semantics))));
  connect(kind_, &QComboBox::currentIndexChanged, this, &ExerciseDialog::Validate);
  connect(count_, &QSpinBox::valueChanged, this, &ExerciseDialog::Validate);
  Validate();
}

GeneratorRecipe ExerciseDialog::Recipe() const {
  GeneratorRecipe recipe;
  recipe.kind = kind_->currentData().toString().toStdString();
  recipe.count = count_->value();
  // The start's parameters stay while its kind does, so that a recipe passed in comes back.
  recipe.parameters =
      recipe.kind == start_.kind ? start_.parameters : ExerciseParameters(recipe.kind);
  recipe.seed = static_cast<std::uint32_t>(seed_->value());
  return recipe;
}

exact::Semantics ExerciseDialog::Semantics() const {
  return static_cast<exact::Semantics>(semantics_->currentData().toInt());
}

void ExerciseDialog::Validate() {
  const GeneratorRecipe recipe = Recipe();
  std::string error = GeneratorRecipeError(recipe);
  // The count is small, so the framework is made at once to see its size.
  if (error.empty() && GenerateFramework(recipe).Size() > kMostExerciseArguments) {
    error = "an exercise has at most " + std::to_string(kMostExerciseArguments) + " arguments";
  }
  error_->setText(QString::fromStdString(error));
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(error.empty());
}

}  // namespace dialectic
