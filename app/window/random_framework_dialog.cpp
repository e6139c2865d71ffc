#include "app/window/random_framework_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

namespace dialectic {

namespace {

// The largest count the field offers; the recipe's own limits show as the reason.
constexpr int kMostInField = 1'000'000;

}  // namespace

QComboBox* GeneratorKindChoice(QWidget* parent) {
  auto* choice = new QComboBox(parent);
  for (const std::string& name : GeneratorKinds()) {
    const std::optional<GeneratorKindInfo> info = GeneratorKindNamed(name);
    choice->addItem(QString::fromUtf8(info->description.c_str()), QString::fromStdString(name));
  }
  return choice;
}

RandomFrameworkDialog::RandomFrameworkDialog(const GeneratorRecipe& start, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("RandomFrameworkDialog"));
  setWindowTitle(tr("New Random Framework"));
  auto* form = new QFormLayout;
  kind_ = GeneratorKindChoice(this);
  kind_->setObjectName(QStringLiteral("GeneratorKind"));
  form->addRow(tr("&Kind:"), kind_);
  count_ = new QSpinBox(this);
  count_->setObjectName(QStringLiteral("GeneratorCount"));
  count_->setRange(1, kMostInField);
  count_label_ = new QLabel(this);
  count_label_->setBuddy(count_);
  form->addRow(count_label_, count_);
  for (std::size_t i = 0; i < parameters_.size(); ++i) {
    parameters_[i] = new QDoubleSpinBox(this);
    parameters_[i]->setObjectName(QStringLiteral("GeneratorParameter%1").arg(i));
    parameter_labels_[i] = new QLabel(this);
    parameter_labels_[i]->setBuddy(parameters_[i]);
    form->addRow(parameter_labels_[i], parameters_[i]);
  }
  seed_ = new QSpinBox(this);
  seed_->setObjectName(QStringLiteral("GeneratorSeed"));
  seed_->setRange(0, std::numeric_limits<int>::max());
  form->addRow(tr("&Seed:"), seed_);
  error_ = new QLabel(this);
  error_->setObjectName(QStringLiteral("GeneratorError"));
  error_->setWordWrap(true);
  buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
  connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(form);
  layout->addWidget(error_);
  layout->addWidget(buttons_);

  kind_->setCurrentIndex(kind_->findData(QString::fromStdString(start.kind)));
  count_->setValue(start.count);
  seed_->setValue(
      static_cast<int>(std::min<std::uint32_t>(start.seed, std::numeric_limits<int>::max())));
  ShowKind(start);
  connect(kind_, &QComboBox::currentIndexChanged, this, [this] {
    GeneratorRecipe recipe = Recipe();
    recipe.parameters.clear();
    if (const std::optional<GeneratorKindInfo> info = GeneratorKindNamed(recipe.kind)) {
      for (const GeneratorParameter& parameter : info->parameters)
        recipe.parameters.push_back(parameter.default_value);
    }
    ShowKind(recipe);
    Validate();
  });
  connect(count_, &QSpinBox::valueChanged, this, &RandomFrameworkDialog::Validate);
  for (QDoubleSpinBox* parameter : parameters_)
    connect(parameter, &QDoubleSpinBox::valueChanged, this, &RandomFrameworkDialog::Validate);
  Validate();
}

void RandomFrameworkDialog::ShowKind(const GeneratorRecipe& recipe) {
  const std::optional<GeneratorKindInfo> info = GeneratorKindNamed(recipe.kind);
  if (!info) return;
  count_label_->setText(info->counted == "cycles" ? tr("Number of &cycles:")
                                                  : tr("Number of &arguments:"));
  for (std::size_t i = 0; i < parameters_.size(); ++i) {
    const bool used = i < info->parameters.size();
    parameter_labels_[i]->setVisible(used);
    parameters_[i]->setVisible(used);
    if (!used) continue;
    const GeneratorParameter& parameter = info->parameters[i];
    QString name = QString::fromStdString(parameter.name);
    name[0] = name[0].toUpper();
    parameter_labels_[i]->setText(name + QLatin1Char(':'));
    QDoubleSpinBox& box = *parameters_[i];
    box.blockSignals(true);
    if (parameter.whole) {
      box.setDecimals(0);
      box.setRange(1, kMostInField);
      box.setSingleStep(1);
    } else {
      box.setDecimals(3);
      box.setRange(0, 1);
      box.setSingleStep(0.05);
    }
    box.setValue(i < recipe.parameters.size() ? recipe.parameters[i] : parameter.default_value);
    box.blockSignals(false);
  }
}

GeneratorRecipe RandomFrameworkDialog::Recipe() const {
  GeneratorRecipe recipe;
  recipe.kind = kind_->currentData().toString().toStdString();
  recipe.count = count_->value();
  if (const std::optional<GeneratorKindInfo> info = GeneratorKindNamed(recipe.kind)) {
    for (std::size_t i = 0; i < info->parameters.size() && i < parameters_.size(); ++i)
      recipe.parameters.push_back(parameters_[i]->value());
  }
  recipe.seed = static_cast<std::uint32_t>(seed_->value());
  return recipe;
}

void RandomFrameworkDialog::Validate() {
  const std::string error = GeneratorRecipeError(Recipe());
  error_->setText(QString::fromStdString(error));
  error_->setVisible(!error.empty());
  buttons_->button(QDialogButtonBox::Ok)->setEnabled(error.empty());
}

}  // namespace dialectic
